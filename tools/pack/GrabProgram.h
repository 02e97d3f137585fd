#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// lumivo-grab, the part of the content tool that reads films (FFmpeg, OpenCV): built only where
// those libraries are, and run from beside lumivo-pack.
namespace GrabProgram {

struct Run {
    bool started = false;
    int exitCode = 1; // lumivo-grab's: 0 done, 1 refused, 2 wrong command line, 3 no face found
    QByteArray out;
    QByteArray err;
};

// Where lumivo-pack looks for it: beside itself.
QString path();
// What to tell a content maker whose lumivo-pack came without it.
QString notInstalled();

// Runs lumivo-grab to its end; killed when lumivo-pack is interrupted (Ctrl-C, SIGTERM).
Run run(const QStringList &arguments);

} // namespace GrabProgram
