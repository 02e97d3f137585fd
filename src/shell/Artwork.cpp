#include "shell/Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace Artwork {

QPixmap pixmap(const QString &name, const QSize &size)
{
    QSvgRenderer renderer(QStringLiteral(":/assets/%1.svg").arg(name));
    if (!renderer.isValid())
        return QPixmap();
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    renderer.render(&painter);
    return picture;
}

} // namespace Artwork
