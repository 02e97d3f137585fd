#pragma once

#include "base/Result.h"
#include "shell/GameScreens.h"

class CategoryTable;

// Start-up of the game: refuses a second copy (silently; a lock that cannot be taken is told), checks the
// game folder, reads the category table and opens the login window.
namespace Startup {

// The font stand-ins, the names the settings are kept under and the message boxes.
void prepareApplication();

// Data/ must come with the game; Temp/ and User/ are made when missing; the picture counts are read.
// Fails with a message for the player when the game cannot start.
Result<> prepareGameFolder(CategoryTable &table);

// Runs the game to its end; returns the program's exit code.
int run();

} // namespace Startup
