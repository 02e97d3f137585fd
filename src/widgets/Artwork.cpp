#include "widgets/Artwork.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

namespace Artwork {

QPixmap pixmap(const QString &name, const QSize &size, const QWidget *shownOn)
{
    QSvgRenderer renderer(QStringLiteral(":/assets/%1.svg").arg(name));
    if (!renderer.isValid())
        return QPixmap();
    const qreal ratio = shownOn ? shownOn->devicePixelRatioF() : qGuiApp->devicePixelRatio();
    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

} // namespace Artwork
