#pragma once

#include <QImage>

// Takes out of a picture what a mask paints: the actors of a Classic still.
namespace FigureRemoval {

// Fills the pixels that `mask` paints light (white on black) from the picture around them;
// every other pixel keeps its value. `mask` has the picture's size.
void remove(QImage *picture, const QImage &mask);

} // namespace FigureRemoval
