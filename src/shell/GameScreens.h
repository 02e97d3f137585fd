#pragma once

#include "shell/Navigator.h"

#include <functional>

class GameSession;

// Opens an address (a URL, or the absolute path of a local page) in the web window. When the page
// is the record form, `recordAnswered` learns whether the site took the post.
using WebOpener = std::function<void(const QString &address, std::function<void(bool taken)> recordAnswered)>;

// The game's own screens, on the session's profile and category table.
ScreenSet gameScreens(GameSession &session, WebOpener openWeb);
