#include "base/ZoomSteps.h"

#include <algorithm>

namespace ZoomSteps {

int valid(int percent)
{
    return std::find(Percents.begin(), Percents.end(), percent) != Percents.end() ? percent : 100;
}

int next(int percent, int direction)
{
    if (direction > 0) {
        for (int step : Percents) {
            if (step > percent)
                return step;
        }
        return Percents.back();
    }
    for (auto step = Percents.rbegin(); step != Percents.rend(); ++step) {
        if (*step < percent)
            return *step;
    }
    return Percents.front();
}

} // namespace ZoomSteps
