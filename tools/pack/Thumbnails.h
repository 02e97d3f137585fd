#pragma once

#include <QByteArray>
#include <QString>

// The 200 × 100 thumbnails of the selection screens, drawn from a category's first picture
// (or a plain card when it has none) in the three looks a player must tell apart at a glance.
namespace Thumbnails {

constexpr int Width = 200;
constexpr int Height = 100;

// state 0 locked (grey, padlock), 1 open (in colour), 2 won (gold frame, ribbon). The marks keep to the top
// left corner (58 × 58) and the frame's edge, the name to the bottom 26 rows: a picture meant as a cover
// keeps its text out of both. Returns a PNG file.
QByteArray make(int category, int state, const QByteArray &firstPicture);

} // namespace Thumbnails
