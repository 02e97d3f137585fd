#pragma once

#include <QImage>
#include <QString>

// One frame of a film file, decoded with FFmpeg exactly as a player shows it at a given time.
namespace FilmReader {

// Frames wider or taller than this are refused before anything is decoded.
constexpr int MaxSide = 8192;

struct Frame {
    QImage image;              // RGB888, pixel for pixel as the film stores it; null on failure
    double sampleAspect = 1.0; // a pixel's width against its height, as the film is shown
    QString problem;           // why there is no image
};

// The frame whose presentation time covers `time` (microseconds from the film's start): the
// film is sought to the key frame before that time and decoded forward from there, never from
// its beginning.
Frame frameAt(const QString &path, qint64 time);

} // namespace FilmReader
