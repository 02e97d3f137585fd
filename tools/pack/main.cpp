#include "pack/PackCommands.h"

#include <QGuiApplication>

#include <memory>

int main(int argc, char *argv[])
{
    // Content makers run this in build scripts and on servers: no display needed.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Only drawing thumbnails needs fonts, hence a GUI application; reading and checking do not.
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && qstrcmp(argv[1], "build") == 0)
        app.reset(new QGuiApplication(argc, argv));
    else
        app.reset(new QCoreApplication(argc, argv));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return PackCommands::run(app->arguments().mid(1), out, err);
}
