#pragma once

#include <QPixmap>
#include <QString>

// The game's own pictures, drawn as SVG in assets/ and rendered at the size a screen needs.
namespace Artwork {

// ":/assets/<name>.svg" drawn at `size`; a null pixmap when there is no such picture.
QPixmap pixmap(const QString &name, const QSize &size);

} // namespace Artwork
