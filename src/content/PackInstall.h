#pragma once

#include <QByteArray>
#include <QString>

// Puts a downloaded category pack and title index into Data/, or nothing at all. Both must
// match what index.lvs and index.lvx already say: the pack its header plus the lengths of its
// category's pictures, the index a title record for every picture of every category. Each file
// is replaced whole (written beside the old one, then renamed over it), so Data/ never holds a
// half file and a refused download leaves every earlier file as it was.
namespace PackInstall {

// Checks without writing; a message for the player naming what is wrong.
bool check(int cat, const QByteArray &pack, const QByteArray &titles, QString *error);

bool install(int cat, const QByteArray &pack, const QByteArray &titles, QString *error);

} // namespace PackInstall
