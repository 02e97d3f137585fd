#include "play/StripMath.h"

#include <QtGlobal>

namespace StripMath {

int scrollMax(int n)
{
    return qBound(ScrollMin, stripWidth(n) - WindowOuterWidth, 32767);
}

int backValue(int value)
{
    return value - ArrowStep < ScrollMin ? ScrollMin : value - ArrowStep;
}

int nextValue(int value, int max)
{
    return value + ArrowStep > max ? max : value + ArrowStep;
}

ArrowMasks arrowMasks(int value, int max)
{
    ArrowMasks masks;
    masks.back = value == ScrollMin;
    masks.next = value == max;
    return masks;
}

int firstCell(int value)
{
    // A step of 624 is three pitches of 208, and the end of a strip whose count is not a multiple
    // of 3 is a whole number of pitches as well: every position an arrow reaches starts on a cell.
    return value / CellPitch;
}

QString posText(int value, int n)
{
    const int f = firstCell(value);
    // A strip shorter than three cells shows all of them.
    return QStringLiteral("%1 - %2").arg(f + 1).arg(qMin(f + 3, n));
}

namespace {

// Where title box k stands in the client area for a scroll value: -1 left of it, 0 whole, 1 right.
int boxSide(int value, int k)
{
    const int left = cellLeft(k) - value;
    if (left < 0)
        return -1;
    if (left + TitleWidth > ClientWidth)
        return 1;
    return 0;
}

// The cells in view and `steps` arrow steps' worth on either side.
CellRange around(int value, int n, int steps)
{
    const int first = firstCell(value) + 1;
    return {qMax(1, first - 3 * steps), qMin(n, first + 2 + 3 * steps)};
}

} // namespace

int revealValue(int value, int k, int n)
{
    const int max = scrollMax(n);
    const int side = boxSide(value, k);
    if (side == 0)
        return value;
    // Step towards the box; stop once it is in view, at the strip's end, or when a step jumps over it.
    int v = value;
    while (true) {
        const int next = side > 0 ? nextValue(v, max) : backValue(v);
        if (next == v)
            return v;
        v = next;
        if (boxSide(v, k) != side)
            return v;
    }
}

CellRange nearCells(int value, int n)
{
    return around(value, n, 1);
}

CellRange keptCells(int value, int n)
{
    return around(value, n, 2);
}

} // namespace StripMath
