#pragma once

#include <QString>
#include <functional>

class QWidget;

// The hand-overs between screens. Each screen exists at most once; the one that hands over
// opens the next and then closes itself, so one main window is on screen at a time and the
// game ends when the player closes the last one.
namespace Screens {

void showLogin();
void showMenu();

// The category selection screen of a game type (mdlConst::Classic, Bonus or Puzzle).
void showSelection(int gameType);

// Opens the play screen of a game type on objUser.curcat (Alpha: the Alpha board). False when
// the game type has no play screen or the screen could not open (the player was told why);
// the screen that asked stays where it is.
bool showPlay(int gameType);

// Called by a play screen as it closes: its selection screen comes back and rebuilds its grid,
// or, for Alpha or a play screen opened on its own, the menu.
void returnFromPlay(int gameType);

// Called by a screen whose close has been accepted: the next request makes a new one, even
// before this one is gone.
void screenClosed(QWidget *screen);

// The pack download of a category group (1 to 20), modal over the menu.
void showDownload(int group);

// The web window lives in a library of its own, linked only into the game: the game hands its
// ShowWeb here at start-up. `recordAnswered` learns whether the site took a record post.
using ShowWebHandler = std::function<void(const QString &address, std::function<void(bool)> recordAnswered)>;
void setShowWeb(ShowWebHandler handler);
// The game's forum in the web window, over the menu.
void showForum();
// Writes the record form page with the player's name and times and opens it in the web window,
// which posts it; the times count as sent once the site has answered the post.
void sendRecord();

} // namespace Screens
