#include "widgets/Artwork.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>
#include <QWidget>

namespace Artwork {

QPixmap pixmap(const QString &name, const QSize &size, const QWidget *shownOn)
{
    const qreal ratio = shownOn ? shownOn->devicePixelRatioF() : qGuiApp->devicePixelRatio();
    // Some pictures come drawn already, as plain pixels (assets/CMakeLists.txt): nothing to decode.
    if (ratio == 1.0) {
        const QByteArray drawn = QResource(QStringLiteral(":/assets/%1.argb").arg(name)).uncompressedData();
        if (drawn.size() == qsizetype(size.width()) * size.height() * 4) {
            const QImage pixels(reinterpret_cast<const uchar *>(drawn.constData()), size.width(),
                                size.height(), QImage::Format_ARGB32_Premultiplied);
            return QPixmap::fromImage(pixels.copy());
        }
    }
    QSvgRenderer renderer(QStringLiteral(":/assets/%1.svg").arg(name));
    if (!renderer.isValid())
        return QPixmap();
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

} // namespace Artwork
