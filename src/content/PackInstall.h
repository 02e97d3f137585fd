#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>

class CategoryTable;

// Puts a downloaded category pack and title index into Data/, or nothing at all. Both must
// match what index.lvs and index.lvx already say: the pack its header plus the lengths of its
// category's pictures, the index a title record for every picture of every category. Each file
// is replaced whole (written beside the old one, then renamed over it), so Data/ never holds a
// half file and a refused download leaves every earlier file as it was.
namespace PackInstall {

// Checks without writing; fails with a message for the player naming what is wrong.
Result<> check(const CategoryTable &table, int category, const QByteArray &pack, const QByteArray &titles);

Result<> install(const CategoryTable &table, int category, const QByteArray &pack, const QByteArray &titles);

} // namespace PackInstall
