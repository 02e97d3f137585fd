#pragma once

#include "widgets/Messages.h"

// The real modal message box behind Messages::show, with the icon and buttons of each kind.
namespace MessageBox {

bool showModal(const Messages::Message &message);

// Makes showModal the handler of every message of the game.
void install();

} // namespace MessageBox
