#include "pack/Interrupt.h"

#include <csignal>
#include <initializer_list>

namespace Interrupt {

namespace {
volatile std::sig_atomic_t noted = 0;

extern "C" void note(int signal)
{
    noted = signal;
}
} // namespace

void install()
{
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        std::signal(signal, note);
}

int received()
{
    return noted;
}

void clear()
{
    noted = 0;
}

} // namespace Interrupt
