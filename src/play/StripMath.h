#pragma once

#include <QString>

// The arithmetic of the picture strip of the Bonus and Puzzle screens: n pictures in one row,
// moved three cells at a time. All lengths are pixels; cells are numbered from 1.
namespace StripMath {

constexpr int CellPitch = 208;        // distance from one cell's left to the next
constexpr int CellMargin = 8;         // left of cell 1
constexpr int TitleWidth = 200;       // width of a title box (and of a picture)
constexpr int StripExtra = 14;        // strip width beyond n whole pitches
constexpr int ArrowStep = 624;        // one arrow click: three cells
constexpr int WindowOuterWidth = 638; // 9570 twips / 15
constexpr int ClientWidth = 632;      // the visible part of the strip
constexpr int ScrollMin = 0;          // the scroll position at the strip's start
constexpr int MaxCells = 157;         // the most cells whose strip width fits 16 bits

// Left of cell k's picture, frame, code label and title box.
constexpr int cellLeft(int k)
{
    return (k - 1) * CellPitch + CellMargin;
}

// Width of a strip of n cells.
constexpr int stripWidth(int n)
{
    return n * CellPitch + StripExtra;
}

// The largest scroll position for n cells, (n - 3) * 208; never below the minimum, at most 32767.
int scrollMax(int n);

// The value after a click on the back arrow, held at the minimum.
int backValue(int value);

// The value after a click on the next arrow, held at the maximum.
int nextValue(int value, int max);

// Which arrows are covered: back at the minimum, next at the maximum, both when they coincide.
struct ArrowMasks {
    bool back = false;
    bool next = false;
};
ArrowMasks arrowMasks(int value, int max);

// Number of the cell before the first one in view: one per pitch scrolled.
int firstCell(int value);

// The position label "a - b" for the value on a strip of n cells ("1 - 3", "9 - 11").
QString posText(int value, int n);

// The value, reached from the current one by whole arrow steps, that shows title box k whole.
int revealValue(int value, int k, int n);

// Cells first to last of a strip of n; none when last < first.
struct CellRange {
    int first = 1;
    int last = 0;
    bool contains(int k) const { return k >= first && k <= last; }
};

// The cells whose pictures are decoded at a scroll value: those in view and an arrow step's three
// on either side, so the next step shows pictures decoded already.
CellRange nearCells(int value, int n);

// The cells whose pictures are kept once decoded, twice as far out; farther ones are let go, so a
// long strip holds a few pictures whatever the player scrolls through.
CellRange keptCells(int value, int n);

} // namespace StripMath
