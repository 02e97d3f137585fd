#pragma once

class clsUser;

#include <QtGlobal>

// What a play screen writes to the profile while a category is played.
namespace PlayProgress {

// Adds one counted second to the total of a game type and returns the new total. The total
// holds at the most the profile can store; -1 when the profile could not be written.
qint32 countSecond(clsUser &user, int gameType);

// True once every picture of the category is solved.
bool isComplete(const clsUser &user, int category);

} // namespace PlayProgress
