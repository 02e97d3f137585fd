#pragma once

#include "base/Result.h"

#include <QImage>
#include <QRect>
#include <QVector>

// Faces in a frame, found with OpenCV's cascade classifiers (frontal, and profile looking either
// way) on the frame at its full size.
namespace FaceFinder {

// Overlapping finds are merged into one box; boxes come left to right. Fails when the
// classifiers' files cannot be read.
Result<QVector<QRect>> find(const QImage &frame);

} // namespace FaceFinder
