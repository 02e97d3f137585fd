#pragma once

// Ctrl-C, SIGTERM and SIGHUP while lumivo-pack works: the signal is only noted, and the work
// stops at its next file, so its staging folder is removed as on any other failure.
namespace Interrupt {

void install();
// The signal received, 0 when none.
int received();
// True once a signal came: the caller stops and cleans up.
inline bool requested()
{
    return received() != 0;
}
void clear();

} // namespace Interrupt
