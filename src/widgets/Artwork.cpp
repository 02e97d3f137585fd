#include "widgets/Artwork.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

namespace Artwork {

QPixmap pixmap(const QString &name, const QSize &size, const QWidget *shownOn)
{
    const qreal ratio = shownOn ? shownOn->devicePixelRatioF() : qGuiApp->devicePixelRatio();
    // Some pictures come drawn already at their own size (assets/CMakeLists.txt).
    if (ratio == 1.0) {
        // Read as PNG without asking the image plug-ins first: loading them all costs more than
        // the picture.
        QImageReader drawn(QStringLiteral(":/assets/%1.png").arg(name), "png");
        drawn.setAutoDetectImageFormat(false);
        if (drawn.size() == size)
            return QPixmap::fromImage(drawn.read());
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
