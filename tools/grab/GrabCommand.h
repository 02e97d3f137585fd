#pragma once

#include <QStringList>
#include <QTextStream>

// lumivo-grab's command line: the still of a film at a time, its faces covered or its figures
// taken out, written as JPEG or PNG.
namespace GrabCommand {

enum class Outcome {
    Done = 0,
    Refused = 1,          // bad film, time, mask or output
    WrongCommandLine = 2, // with the usage
    NoFace = 3,           // --cover-faces found nothing: the still is written uncovered
};

// `arguments` with the program name first.
Outcome run(const QStringList &arguments, QTextStream &out, QTextStream &err);

// True when the command line asks for what needs fonts (the numbers of --show-faces).
bool needsFonts(const QStringList &arguments);

} // namespace GrabCommand
