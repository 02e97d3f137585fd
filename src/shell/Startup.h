#pragma once

class QApplication;

// Start-up of the game: refuses a second copy (silently; a lock that cannot be taken is told), checks the
// game folder, fills the category table and opens the login window. Returns the program's exit code.
namespace Startup {

// Italian translations of Qt's own texts ("Sì", "No") and the font stand-ins.
void prepareApplication(QApplication &app);

// Data/ must come with the game; Temp/ and User/ are made when missing. False, after telling
// the player, when the game cannot start.
bool prepareGameFolder();

int Main(QApplication &app);

} // namespace Startup
