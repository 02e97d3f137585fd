#include "play/AlphaBoard.h"

#include "content/Ansi.h"

#include <QCollator>
#include <QLocale>
#include <algorithm>

namespace {
const QCollator &titleCollator()
{
    static const QCollator collator = [] {
        QCollator italian(QLocale(QLocale::Italian, QLocale::Italy));
        italian.setCaseSensitivity(Qt::CaseInsensitive);
        italian.setIgnorePunctuation(true);
        return italian;
    }();
    return collator;
}
} // namespace

AlphaBoard::AlphaBoard() = default;

AlphaBoard::AlphaBoard(const QVector<AlphaTile> &tiles)
{
    const int count = qMin(int(tiles.size()), TileCount);
    for (int i = 0; i < count; ++i)
        m_cells[i] = tiles[i];
}

const AlphaTile &AlphaBoard::cell(int k) const
{
    Q_ASSERT(k >= 1 && k <= CellCount);
    return m_cells[k - 1];
}

bool AlphaBoard::canMove(int k) const
{
    if (k < 1 || k > CellCount)
        return false;
    const int e = m_empty;
    const int distance = qAbs(e - k);
    if (distance != 1 && distance != 4)
        return false;
    // Not across the end of a row.
    if (e == k + 1 && k % 4 == 0)
        return false;
    if (e == k - 1 && (k - 1) % 4 == 0)
        return false;
    return true;
}

bool AlphaBoard::move(int k)
{
    if (!canMove(k))
        return false;
    m_cells[m_empty - 1] = m_cells[k - 1];
    m_cells[k - 1] = AlphaTile();
    m_empty = k;
    return true;
}

int AlphaBoard::cellForKey(Direction direction) const
{
    const int e = m_empty;
    switch (direction) {
    case Direction::Left:
        return e % 4 != 0 ? e + 1 : 0;
    case Direction::Right:
        return e % 4 != 1 ? e - 1 : 0;
    case Direction::Up:
        return e <= CellCount - 4 ? e + 4 : 0;
    case Direction::Down:
        return e > 4 ? e - 4 : 0;
    }
    return 0;
}

int AlphaBoard::orderCount() const
{
    int count = 0;
    for (int j = 1; j < CellCount; ++j) {
        if (!titleLess(cell(j).title, cell(j + 1).title))
            break;
        ++count;
    }
    return count;
}

bool AlphaBoard::isOrdered() const
{
    // A count of 14 alone also holds with the empty cell first and the last two tiles swapped.
    return m_empty == CellCount && orderCount() == TileCount - 1;
}

int AlphaBoard::compareTitles(const QString &a, const QString &b)
{
    return titleCollator().compare(a, b);
}

bool AlphaBoard::titleLess(const QByteArray &a, const QByteArray &b)
{
    return compareTitles(Ansi::decode(a), Ansi::decode(b)) < 0;
}

bool permutationIsEven(const QVector<QByteArray> &titles)
{
    // Parity by cycles of the sorting permutation: a cycle of length L is L - 1 swaps.
    QVector<int> order(titles.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return AlphaBoard::titleLess(titles[a], titles[b]); });
    QVector<bool> seen(order.size(), false);
    int swaps = 0;
    for (int i = 0; i < order.size(); ++i) {
        int length = 0;
        for (int j = i; !seen[j]; j = order[j]) {
            seen[j] = true;
            ++length;
        }
        if (length > 0)
            swaps += length - 1;
    }
    return swaps % 2 == 0;
}

void makeSolvable(QVector<AlphaTile> &drawn)
{
    if (drawn.size() < 2)
        return;
    QVector<QByteArray> titles;
    titles.reserve(drawn.size());
    for (const AlphaTile &tile : drawn)
        titles.append(tile.title);
    if (!permutationIsEven(titles))
        std::swap(drawn[drawn.size() - 2], drawn[drawn.size() - 1]);
}
