#pragma once

// How the content tools start: without a display, and without Qt's own warnings (a missing runtime
// folder, a font), which mean nothing to a content maker: what matters the commands report.

#include <QGuiApplication>

#include <cstdio>
#include <memory>

namespace ToolApplication {

inline void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// Fonts, hence a GUI application, only for the commands that draw text: the others start lighter.
inline std::unique_ptr<QCoreApplication> start(int &argc, char **argv, bool drawsText)
{
    // Content makers run the tools in build scripts and on servers.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    if (drawsText)
        return std::make_unique<QGuiApplication>(argc, argv);
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace ToolApplication
