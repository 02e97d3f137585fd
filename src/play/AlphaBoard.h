#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

#include <array>

// One picture of the Alpha board: its title (Windows-1252 bytes) and the picture it shows.
struct AlphaTile {
    int picture = 0;
    QByteArray title;
};

// The four-by-four board of the Alpha game: cells 1 to 16 row by row from the top left,
// one of them empty (empty title, picture 0).
class AlphaBoard
{
public:
    static constexpr int CellCount = 16;
    static constexpr int TileCount = 15;

    // Arrow keys: the tile on the far side of the empty cell slides into it (Left moves the
    // tile to the right of the empty cell).
    enum class Direction { Left, Right, Up, Down };

    // An empty board, cell 16 marked empty.
    AlphaBoard();
    // The tiles on cells 1 to 15 in order, cell 16 empty; extra tiles are ignored.
    explicit AlphaBoard(const QVector<AlphaTile> &tiles);

    // Cell k, 1 to 16.
    const AlphaTile &cell(int k) const;
    // The empty cell.
    int intEmpty() const { return m_empty; }

    // Whether cell k touches the empty cell in its row or column.
    bool canMove(int k) const;
    // Slide cell k into the empty cell; false (nothing changes) when it is not next to it.
    bool move(int k);
    // The cell an arrow key slides, 0 when there is none on that side.
    int cellForKey(Direction direction) const;

    // How many neighbours j, j + 1 from cell 1 on stand in ascending title order before the first
    // that does not (the empty title first).
    int orderCount() const;
    // Solved: the empty cell last and the titles of cells 1 to 15 strictly ascending.
    bool isOrdered() const;

    // The order the player is asked for, as an Italian reader orders titles (QCollator for Italian),
    // letter by letter: capitals and small letters alike, blanks and punctuation (the apostrophe
    // too) skipped, and a plain letter before the same letter accented ("Perche" before "Perché").
    // Titles that differ only in capitals, blanks or punctuation compare equal: a board never holds
    // two of them, as no order of theirs could be told right from wrong.
    static int compareTitles(const QString &a, const QString &b);
    // The same order for titles as Windows-1252 bytes.
    static bool titleLess(const QByteArray &a, const QByteArray &b);

private:
    std::array<AlphaTile, CellCount> m_cells;
    int m_empty = CellCount;
};

// Whether the titles, in slot order, are an even permutation of their ascending order.
bool permutationIsEven(const QVector<QByteArray> &titles);

// Swap the last two tiles when their order could never be solved with the empty cell last.
void makeSolvable(QVector<AlphaTile> &drawn);
