#pragma once

#include <QImage>
#include <QSize>

// A film frame brought to the size of a still.
namespace StillFit {

// `frame` (RGB888) as shown, its pixels `sampleAspect` times as wide as high, scaled to `size`:
// cropped about its centre to the still's shape, or whole with black bands when `keepAspect`.
// A frame already of that size and shape is returned as it is.
QImage fit(const QImage &frame, double sampleAspect, const QSize &size, bool keepAspect);

} // namespace StillFit
