#pragma once

#include <QImage>
#include <QRect>
#include <QVector>

// What hides the faces of a Bonus still: objects our own code draws over them.
namespace FaceCovers {

enum class Cover { Balloon, Hat, FilmReel, PaperBag };
constexpr int CoverCount = 4;

// The cover of each face, drawn at random from `seed`: the same seed always gives the same covers.
QVector<Cover> choose(int faces, quint32 seed);

// Draws `covers[i]` over `faces[i]`, scaled to the box and hiding all of it.
void cover(QImage *frame, const QVector<QRect> &faces, const QVector<Cover> &covers);

// The boxes of --show-faces, numbered: those found in green, those given by hand in yellow.
void outline(QImage *frame, const QVector<QRect> &found, const QVector<QRect> &given);

} // namespace FaceCovers
