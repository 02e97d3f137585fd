#pragma once

#include "base/Language.h"

#include <QString>
#include <QStringList>

// The command lines of the game (lumivo) and of its web window (lumivo-web): --help, --version,
// one wording for an option both take, and an unknown option refused with the usage. What the
// command line leaves unsaid the environment may say (LUMIVO_LANG, LUMIVO_SITE).
namespace CommandLine {

enum class Program { Game, WebWindow };

struct Options {
    Language::Choice language = Language::Choice::Italian;
    // lumivo-web: the game's zoom, in percent.
    int zoom = 100;
};

// A command line taken: the program runs on with `options`, or ends at once with `exitStatus`
// (0 after --help or --version, 2 for a command line it cannot take).
struct Reading {
    Options options;
    int exitStatus = -1;
    QString output; // for standard output
    QString errors; // for standard error: why the command line is refused, or what was not taken
};

// Takes `arguments` (the program's own name first): puts the program in the language asked for,
// so that it says everything in it, and the game on the site asked for.
Reading read(Program program, const QStringList &arguments);

} // namespace CommandLine
