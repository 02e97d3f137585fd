#include "ToolApplication.h"
#include "pack/Interrupt.h"
#include "pack/PackCommands.h"

#include <QTextStream>

#include <csignal>

int main(int argc, char *argv[])
{
    Interrupt::install();
    // Only drawing thumbnails needs fonts; reading and checking do not.
    bool building = false;
    for (int i = 1; i < argc; ++i)
        building = building || qstrcmp(argv[i], "build") == 0;
    const auto app = ToolApplication::start(argc, argv, building);
    int code = 0;
    {
        QTextStream out(stdout);
        QTextStream err(stderr);
        code = PackCommands::run(app->arguments().mid(1), out, err);
    }
    // Cleaned up: now end as the signal asked, so the shell sees it.
    if (const int signal = Interrupt::received()) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
    return code;
}
