// lumivo-grab: the still a film shows at a given time, ready for a pack; lumivo-pack runs it for
// `grab` and for the film lines of content.tsv.

#include "grab/GrabCommand.h"

#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace {
// Qt's own warnings (a missing runtime folder, a font) mean nothing to a content maker: what
// matters is told by the command itself.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}
} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    // Fonts, hence a GUI application, only for the numbered boxes of --show-faces: a plain grab
    // starts without them.
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw.append(QString::fromLocal8Bit(argv[i]));
    std::unique_ptr<QCoreApplication> app;
    if (GrabCommand::needsFonts(raw))
        app.reset(new QGuiApplication(argc, argv));
    else
        app.reset(new QCoreApplication(argc, argv));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return int(GrabCommand::run(app->arguments(), out, err));
}
