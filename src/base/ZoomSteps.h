#pragma once

#include <array>

// The sizes the whole game can be drawn at, in percent of its layouts' pixels.
namespace ZoomSteps {

inline constexpr std::array<int, 4> Percents = {100, 125, 150, 200};

// The step after `percent` in `direction` (+1 larger, -1 smaller), held at the ends; a percent
// that is no step (a hand-edited setting) goes to the nearest step that way, or to 100.
int next(int percent, int direction);

// `percent` when it is a step, else 100.
int valid(int percent);

} // namespace ZoomSteps
