#pragma once

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/ThumbnailLayout.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

class Profile;

// What the three category selection screens show, without the windows: each screen's layout
// and, per category, what its thumbnail and label say.
namespace SelectionGrid {

constexpr int pixels(int twips)
{
    return twips / Game::TwipsPerPixel;
}

// One selection screen: its categories, its grid and the play screen it leads to.
struct Variant {
    QString name;        // objectName of the window: frmClassic, frmBonus, frmPuzzle
    const char *caption; // window caption, untranslated: caption() gives it translated
    int gameType = 0;
    int firstCategory = 0;
    int lastCategory = 0;
    int offset = 0; // thumbnail index + offset = category number
    int columns = 0;
    int rows = 0;
    // Places in twips, as laid out on the screen.
    QSize clientTwips;
    QVector<int> columnLefts;
    QVector<int> rowTops;
    // The Puzzle screen builds its grid when it is loaded as well as when it is activated.
    bool readsOnLoad = false;

    int count() const { return lastCategory - firstCategory + 1; }
    int category(int index) const { return index + offset; }
    int index(int category) const { return category - offset; }

    // In pixels; index counts from 1, filling the grid row by row.
    QSize clientSize() const;
    QRect thumbPlace(int index) const;
    QRect labelPlace(int index) const;
    // The count label's place on a thumbnail (ThumbTwips in pixels): the thumbnails keep it free.
    QRect labelOnThumb() const;
};

// Every thumbnail and its frame.
inline constexpr QSize ThumbTwips = ThumbnailLayout::SizeTwips;

// The variant of a game type (Game::Classic, Bonus or Puzzle); nullptr for any other.
const Variant *variant(int gameType);

// One category as its selection screen shows it.
struct CategoryEntry {
    int category = 0;
    Game::CategoryState state = Game::CategoryState::Locked;
    qint16 solved = 0;
    qint16 total = 0;
    bool packPresent = false; // only looked at for open and won categories

    // An open or won category whose pack is missing cannot be played.
    bool isOffered() const { return state != Game::CategoryState::Locked; }
    bool packMissing() const { return isOffered() && !packPresent; }
    bool clickable() const { return isOffered() && packPresent; }
    // "12/40"
    QString caption() const;
};

// Reads the category's state, solved count and picture count and looks for its pack.
CategoryEntry readCategory(const Profile &profile, int category);

// The message for open categories whose pack is missing, and its title.
QString missingFilesText();
QString missingFilesTitle();

// The window caption of a selection screen, in the player's language.
QString caption(const Variant &variant);

} // namespace SelectionGrid
