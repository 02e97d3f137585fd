#include "grab/FigureRemoval.h"

#include "grab/MatView.h"

#include <opencv2/imgproc.hpp>
#include <opencv2/photo.hpp>

namespace FigureRemoval {

void remove(QImage *picture, const QImage &mask)
{
    const QImage gray = mask.convertToFormat(QImage::Format_Grayscale8);
    const cv::Mat grayView(gray.height(), gray.width(), CV_8UC1, const_cast<uchar *>(gray.constBits()),
                           size_t(gray.bytesPerLine()));
    cv::Mat painted;
    cv::threshold(grayView, painted, 127, 255, cv::THRESH_BINARY);
    cv::Mat view = matView(*picture);
    cv::Mat filled;
    // Telea's method walks in from the mask's edge, so each filled pixel takes the colours of the
    // scene nearest to it.
    cv::inpaint(view, painted, filled, 5, cv::INPAINT_TELEA);
    filled.copyTo(view, painted);
}

} // namespace FigureRemoval
