#pragma once

#include "base/Result.h"
#include "shell/GameScreens.h"

#include <QStringList>

class CategoryTable;
class QApplication;

// Start-up of the game: refuses a second copy (silently; a lock that cannot be taken is told), checks the
// game folder, reads the category table and opens the login window.
namespace Startup {

// The player's language from the command line (--lang en) or LUMIVO_LANG, Italian unless English
// is asked for; the web window gets the same.
void setLanguage(const QStringList &arguments);

// The language of the command line, the font stand-ins and the message boxes.
void prepareApplication(QApplication &app);

// Data/ must come with the game; Temp/ and User/ are made when missing; the picture counts are read.
// Fails with a message for the player when the game cannot start.
Result<> prepareGameFolder(CategoryTable &table);

// Runs the game to its end; returns the program's exit code.
int run(QApplication &app);

} // namespace Startup
