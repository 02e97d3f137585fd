#include "grab/StillFit.h"

#include "grab/MatView.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

namespace StillFit {

namespace {
// Area averaging when shrinking (every source pixel counts, no aliasing), bicubic when enlarging.
void scale(const cv::Mat &from, cv::Mat &to)
{
    const bool shrinking = to.cols <= from.cols && to.rows <= from.rows;
    cv::resize(from, to, to.size(), 0, 0, shrinking ? cv::INTER_AREA : cv::INTER_CUBIC);
}
} // namespace

QImage fit(const QImage &frame, double sampleAspect, const QSize &size, bool keepAspect)
{
    if (frame.size() == size && std::abs(sampleAspect - 1.0) < 1e-3)
        return frame;
    QImage still(size, QImage::Format_RGB888);
    still.fill(Qt::black);
    cv::Mat target = matView(still);
    const double shownWidth = frame.width() * sampleAspect;
    const double wanted = double(size.width()) / size.height();
    if (keepAspect) {
        const double factor = std::min(size.width() / shownWidth, size.height() / double(frame.height()));
        const int width = std::clamp(int(std::lround(shownWidth * factor)), 1, size.width());
        const int height = std::clamp(int(std::lround(frame.height() * factor)), 1, size.height());
        cv::Mat band
            = target(cv::Rect((size.width() - width) / 2, (size.height() - height) / 2, width, height));
        scale(matView(frame), band);
        return still;
    }
    // The largest centred part of the frame with the still's shape.
    double width = frame.width();
    double height = frame.height();
    if (shownWidth / frame.height() > wanted)
        width = wanted * frame.height() / sampleAspect;
    else
        height = shownWidth / wanted;
    const int w = std::clamp(int(std::lround(width)), 1, frame.width());
    const int h = std::clamp(int(std::lround(height)), 1, frame.height());
    scale(matView(frame)(cv::Rect((frame.width() - w) / 2, (frame.height() - h) / 2, w, h)), target);
    return still;
}

} // namespace StillFit
