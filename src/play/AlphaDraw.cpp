#include "play/AlphaDraw.h"

#include "content/Ansi.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>

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
    // The drawn titles as text: one that compares equal to a drawn one would leave two orders
    // the player could not tell apart, and is refused too.
    QStringList texts;
    for (int n : qAsConst(order)) {
        if (drawn.size() == AlphaBoard::TileCount)
            break;
        const QByteArray title = titleOf(n);
        if (title.isEmpty() || titles.contains(title))
            continue;
        const QString text = Ansi::decode(title);
        if (std::any_of(texts.cbegin(), texts.cend(),
                        [&](const QString &t) { return AlphaBoard::compareTitles(t, text) == 0; }))
            continue;
        titles += '|' + title;
        texts.append(text);
        drawn.append(AlphaTile {n, title});
    }
    if (drawn.size() < AlphaBoard::TileCount)
        return std::nullopt;
    makeSolvable(drawn);
    return drawn;
}

} // namespace AlphaDraw
