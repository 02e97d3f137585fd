#pragma once

#include "shell/Navigator.h"

class GameSession;

// The game's own screens, on the session's profile and category table; the site's pages in the
// web window (WebCompanion).
ScreenSet gameScreens(GameSession &session);
