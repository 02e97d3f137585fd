#include "grab/FaceFinder.h"

#include "grab/MatView.h"

#include <QDir>
#include <QFile>

#include <opencv2/imgproc.hpp>
#include <opencv2/objdetect.hpp>

#include <algorithm>

#ifndef LUMIVO_HAARCASCADES
#define LUMIVO_HAARCASCADES "/usr/share/opencv4/haarcascades"
#endif

namespace FaceFinder {

namespace {
QVector<QRect> detect(cv::CascadeClassifier &classifier, const cv::Mat &gray, bool mirrored)
{
    // Faces smaller than a twentieth of the frame are too small to matter in a still.
    const int smallest = std::max(24, std::min(gray.cols, gray.rows) / 20);
    std::vector<cv::Rect> found;
    classifier.detectMultiScale(gray, found, 1.1, 5, 0, cv::Size(smallest, smallest));
    QVector<QRect> boxes;
    for (const cv::Rect &r : found)
        boxes.append(QRect(mirrored ? gray.cols - r.x - r.width : r.x, r.y, r.width, r.height));
    return boxes;
}

bool overlapping(const QRect &a, const QRect &b)
{
    const QRect common = a.intersected(b);
    const qint64 smaller = std::min(qint64(a.width()) * a.height(), qint64(b.width()) * b.height());
    return !common.isEmpty() && qint64(common.width()) * common.height() * 10 >= smaller * 3;
}

// Boxes that overlap by much are one face (the classifiers often find a face twice): each group
// becomes the box around it.
QVector<QRect> merged(QVector<QRect> boxes)
{
    for (bool joined = true; joined;) {
        joined = false;
        for (int i = 0; i < boxes.size() && !joined; ++i) {
            for (int j = i + 1; j < boxes.size() && !joined; ++j) {
                if (overlapping(boxes[i], boxes[j])) {
                    boxes[i] = boxes[i].united(boxes[j]);
                    boxes.removeAt(j);
                    joined = true;
                }
            }
        }
    }
    std::sort(boxes.begin(), boxes.end(), [](const QRect &a, const QRect &b) {
        return std::make_pair(a.x(), a.y()) < std::make_pair(b.x(), b.y());
    });
    return boxes;
}
} // namespace

Result<QVector<QRect>> find(const QImage &frame)
{
    const QString folder = QStringLiteral(LUMIVO_HAARCASCADES);
    cv::CascadeClassifier frontal;
    cv::CascadeClassifier profile;
    for (auto [classifier, name] : {std::make_pair(&frontal, "haarcascade_frontalface_default.xml"),
                                    std::make_pair(&profile, "haarcascade_profileface.xml")}) {
        const QString path = folder + QLatin1Char('/') + QLatin1String(name);
        if (!classifier->load(QFile::encodeName(path).toStdString()))
            return fail(QStringLiteral("mancano i modelli dei volti di OpenCV (%1, pacchetto opencv-data)")
                            .arg(QDir::toNativeSeparators(path)));
    }
    cv::Mat gray;
    // No histogram equalisation: the classifiers weigh each window against its own contrast
    // already, and equalising a frame of large plain areas hid a plain face in tries.
    cv::cvtColor(matView(frame), gray, cv::COLOR_RGB2GRAY);
    cv::Mat flipped;
    cv::flip(gray, flipped, 1);
    // The profile classifier knows faces turned one way: the mirrored frame gives the others.
    return merged(detect(frontal, gray, false) + detect(profile, gray, false)
                  + detect(profile, flipped, true));
}

} // namespace FaceFinder
