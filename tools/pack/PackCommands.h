#pragma once

#include "pack/PackContent.h"

#include <QStringList>
#include <QTextStream>

// The content maker's commands behind lumivo-pack. Each returns the process exit code:
// 0 done, 1 refused or problems found, 2 wrong command line (3: grab found no face).
namespace PackCommands {

// Reads a source folder (content.tsv, pictures or film lines, thumbs/) into memory; problems and
// warnings as messages.
bool readSource(const QString &source, PackContent::Content *content, QStringList *problems,
                QStringList *warnings);

int build(const QString &source, const QString &data, QTextStream &out, QTextStream &err);
int verify(const QString &data, QTextStream &out, QTextStream &err);
int list(const QString &data, QTextStream &out, QTextStream &err);
int extract(const QString &data, const QString &category, const QString &target, QTextStream &out,
            QTextStream &err);
// Runs lumivo-grab with `arguments`, its output passed on.
int grab(const QStringList &arguments, QTextStream &out, QTextStream &err);

// `arguments` without the program name.
int run(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace PackCommands
