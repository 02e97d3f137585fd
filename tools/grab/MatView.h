#pragma once

#include <QImage>

#include <opencv2/core.hpp>

// An RGB888 QImage seen by OpenCV in place, without a copy: changes through the view change the image.
inline cv::Mat matView(QImage &image)
{
    return cv::Mat(image.height(), image.width(), CV_8UC3, image.bits(), size_t(image.bytesPerLine()));
}

inline const cv::Mat matView(const QImage &image)
{
    return cv::Mat(image.height(), image.width(), CV_8UC3, const_cast<uchar *>(image.constBits()),
                   size_t(image.bytesPerLine()));
}
