#pragma once

// Real image files for tests, each of a colour of its own, so a screen or a check can tell them
// apart and decode them.

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

namespace Pictures {

inline QByteArray encoded(const QImage &image, const char *format = "PNG")
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// A picture of `size` in one colour that only `n` gives, as a `format` file.
inline QByteArray flat(int n, const QSize &size = QSize(4, 3), const char *format = "PNG")
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((n * 47) % 360, 200, 200));
    return encoded(image, format);
}

} // namespace Pictures
