#include "base/ZoomSteps.h"

#include <algorithm>

namespace ZoomSteps {

QVector<int> fitting(const QSize &layout, const QSize &frame, const QSize &available)
{
    QVector<int> steps {Percents.front()};
    for (auto step = Percents.begin() + 1; step != Percents.end(); ++step) {
        // The zoom scales edges and rounds them: the window's size is its layout's, rounded.
        const int width = qRound(layout.width() * *step / 100.0) + frame.width();
        const int height = qRound(layout.height() * *step / 100.0) + frame.height();
        if (width <= available.width() && height <= available.height())
            steps.append(*step);
    }
    return steps;
}

int valid(int percent)
{
    return std::find(Percents.begin(), Percents.end(), percent) != Percents.end() ? percent : 100;
}

int next(int percent, int direction, const QVector<int> &steps)
{
    if (direction > 0) {
        for (int step : steps) {
            if (step > percent)
                return step;
        }
        return steps.back();
    }
    for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
        if (*step < percent)
            return *step;
    }
    return steps.front();
}

int atMost(int percent, const QVector<int> &steps)
{
    int chosen = steps.front();
    for (int step : steps) {
        if (step <= percent)
            chosen = step;
    }
    return chosen;
}

} // namespace ZoomSteps
