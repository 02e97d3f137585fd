#pragma once

#include "base/Result.h"
#include "shell/GameScreens.h"

class CategoryTable;
class QApplication;

// Start-up of the game: refuses a second copy (silently; a lock that cannot be taken is told), checks the
// game folder, reads the category table and opens the login window.
namespace Startup {

// Italian translations of Qt's own texts ("Sì", "No") and the font stand-ins.
void prepareApplication(QApplication &app);

// Data/ must come with the game; Temp/ and User/ are made when missing; the picture counts are read.
// Fails with a message for the player when the game cannot start.
Result<> prepareGameFolder(CategoryTable &table);

// Runs the game to its end; returns the program's exit code.
int run(QApplication &app);

} // namespace Startup
