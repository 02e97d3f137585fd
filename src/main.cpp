#include "shell/CommandLine.h"
#include "shell/Startup.h"
#include "shell/StartupProbe.h"
#include "widgets/Artwork.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const CommandLine::Reading reading = CommandLine::read(CommandLine::Program::Game, app.arguments());
    QTextStream(stdout) << reading.output;
    QTextStream(stderr) << reading.errors;
    if (reading.exitStatus >= 0)
        return reading.exitStatus;
    QApplication::setWindowIcon(QIcon(Artwork::pixmap(QStringLiteral("lumivo"), QSize(64, 64))));
    QApplication::setDesktopFileName(QStringLiteral("org.example.lumivo"));
    if (const QByteArray start = qgetenv("LUMIVO_BENCH_STARTUP"); !start.isEmpty())
        app.installEventFilter(new StartupProbe(start.toLongLong(), &app));
    return Startup::run();
}
