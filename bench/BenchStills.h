#pragma once

// Pictures that weigh what real film stills do, for the benchmarks.

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QRandomGenerator>

namespace BenchStills {

// A noisy gradient, as grainy as a film still, so the JPEG weighs what a real one does.
inline QByteArray still(QRandomGenerator &random, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    const int hue = random.bounded(360);
    for (int y = 0; y < height; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const QColor base
                = QColor::fromHsv((hue + x / 4) % 360, 120 + y * 100 / height, 90 + x * 140 / width);
            const int noise = random.bounded(60) - 30;
            line[x] = qRgb(qBound(0, base.red() + noise, 255), qBound(0, base.green() + noise, 255),
                           qBound(0, base.blue() - noise, 255));
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 92);
    return bytes;
}

// The sizes the stills come in, the strip's 200 x 110 and larger ones it scales down.
inline QSize stillSize(int n)
{
    static const QSize sizes[] = {{200, 110}, {240, 132}, {280, 154}, {320, 176}};
    return sizes[n % 4];
}

} // namespace BenchStills
