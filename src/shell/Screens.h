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

// The game's forum in the web window, over the menu.
void showForum();
// Sends the player's name and times to the site's record page; the times count as sent once the
// site has taken them.
void sendRecord();

} // namespace Screens
