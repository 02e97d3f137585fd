#include "play/AlphaDraw.h"

#include <QRandomGenerator>

namespace AlphaDraw {

std::optional<QVector<AlphaTile>> draw(const QVector<int> &candidates, const TitleLookup &titleOf,
                                       QRandomGenerator &random)
{
    QVector<int> order = candidates;
    for (int i = int(order.size()) - 1; i > 0; --i)
        std::swap(order[i], order[int(random.bounded(i + 1))]);

    QVector<AlphaTile> drawn;
    // Every drawn title behind a "|"; a new title is refused when found anywhere in it. A repeated
    // number brings back its title, so this also keeps the pictures distinct.
    QByteArray titles;
    for (int n : qAsConst(order)) {
        if (drawn.size() == AlphaBoard::TileCount)
            break;
        const QByteArray title = titleOf(n);
        if (title.isEmpty() || titles.contains(title))
            continue;
        titles += '|' + title;
        drawn.append(AlphaTile {n, title});
    }
    if (drawn.size() < AlphaBoard::TileCount)
        return std::nullopt;
    makeSolvable(drawn);
    return drawn;
}

} // namespace AlphaDraw
