#include "pack/Interrupt.h"
#include "pack/PackCommands.h"

#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {
// The image libraries' own warnings mean nothing to a content maker: what matters is reported
// by the commands themselves.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}
} // namespace

int main(int argc, char *argv[])
{
    // Content makers run this in build scripts and on servers: no display needed.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    Interrupt::install();
    // Only drawing thumbnails needs fonts, hence a GUI application; reading and checking do not.
    bool building = false;
    for (int i = 1; i < argc; ++i)
        building = building || qstrcmp(argv[i], "build") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (building)
        app.reset(new QGuiApplication(argc, argv));
    else
        app.reset(new QCoreApplication(argc, argv));
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
