#pragma once

#include <QSize>
#include <QVector>
#include <array>

// The sizes the whole game can be drawn at, in percent of its layouts' pixels.
namespace ZoomSteps {

inline constexpr std::array<int, 4> Percents = {100, 125, 150, 200};

// The steps at which a window of `layout` pixels at 100 %, with `frame` pixels of the window
// manager's frame around it, lies whole within `available`, smallest first. 100 is always one:
// a screen too small for the game at its own size shows it as well as it can.
QVector<int> fitting(const QSize &layout, const QSize &frame, const QSize &available);

// The step after `percent` in `direction` (+1 larger, -1 smaller) among `steps` (smallest
// first), held at the ends; a percent that is no step (a hand-edited setting) goes to the
// nearest step that way, or to the first.
int next(int percent, int direction, const QVector<int> &steps);

// The largest of `steps` that is not above `percent`; the first when none is.
int atMost(int percent, const QVector<int> &steps);

// `percent` when it is a step, else 100.
int valid(int percent);

} // namespace ZoomSteps
