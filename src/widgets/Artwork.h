#pragma once

#include <QPixmap>
#include <QString>

class QWidget;

// The game's own pictures, drawn as SVG in assets/ and rendered at the size a screen needs.
namespace Artwork {

// ":/assets/<name>.svg" drawn at `size` (logical pixels), sharp at the pixel density of the
// screen `shownOn` is on (of the primary screen when none is given); a null pixmap when there is
// no such picture.
QPixmap pixmap(const QString &name, const QSize &size, const QWidget *shownOn = nullptr);

} // namespace Artwork
