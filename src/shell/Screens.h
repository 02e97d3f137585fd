#pragma once

class QWidget;

// The hand-overs between screens. Each screen exists at most once; the one that hands over
// opens the next and then closes itself, so one main window is on screen at a time and the
// game ends when the player closes the last one.
namespace Screens {

void showLogin();
void showMenu();

// The category selection screen of a game type (mdlConst::Classic, Bonus or Puzzle).
void showSelection(int gameType);

// The play screen of a game type for objUser.curcat; for Alpha, the Alpha screen.
void showPlay(int gameType);

// Called by a play screen as it closes: its selection screen comes back and rebuilds its grid,
// or, for Alpha or a play screen opened on its own, the menu.
void returnFromPlay(int gameType);

// Tells the player that a part of the game is not in this version yet.
void showNotAvailable();

} // namespace Screens
