#pragma once

#include "shell/Navigator.h"

#include <QSize>

class GameSession;

// The game's own screens, on the session's profile and category table; the site's pages in the
// web window (WebCompanion).
ScreenSet gameScreens(GameSession &session);

// The widest and the tallest of the game's windows, as laid out: the zoom offers the steps at which
// they fit the screen.
QSize largestWindow();
