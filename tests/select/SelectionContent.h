#pragma once

// A small but complete Data folder for the screen tests: the twenty category packs and the three
// thumbnail packs, every picture a real PNG. Each thumbnail is one flat colour that tells its
// pack and category apart.

#include "ScreenSupport.h"
#include "TinyContent.h"
#include "profile/Profile.h"

#include <QColor>
#include <QPixmap>

namespace SelectionContent {

// Genre categories hold nine pictures a page; category 3 has two pages.
inline qint16 pictureCount(int category)
{
    if (category == 3)
        return 18;
    return category <= 9 ? 9 : 3;
}

// The colour of the thumbnail of `category` in the pack of `state` (0 A000, 1 B000, 2 C000).
inline QColor thumbColour(int state, int category)
{
    return QColor(40 + 80 * state, 12 * category, 90);
}

// Writes the whole Data folder and loads its counts; picture n is titled "Film n".
inline void write(GameFolderFixture &game)
{
    QVector<int> counts;
    for (int c = 1; c <= Game::CategoryCount; ++c)
        counts.append(pictureCount(c));
    const auto picture
        = [](int n) { return ScreenSupport::png(QSize(40, 30), QColor::fromHsv((n * 37) % 360, 160, 220)); };
    const auto thumb
        = [](int state, int c) { return ScreenSupport::png(QSize(20, 10), thumbColour(state, c)); };
    TinyContent::numbered(counts, picture, thumb).write(game);
}

// A game folder with the whole Data folder and a new player logged in.
struct Player {
    Player()
    {
        write(game);
        loggedIn = game.logIn(QStringLiteral("Mario"));
    }
    GameFolderFixture game;
    bool loggedIn = false;
};

// The colour in the middle of a shown picture.
inline QColor centreColour(const QPixmap &picture)
{
    const QImage image = picture.toImage();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

} // namespace SelectionContent
