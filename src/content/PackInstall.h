#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <atomic>

class CategoryTable;

// Puts a downloaded category pack and title index into Data/, or nothing at all. Both must be
// what index.lvs and index.lvx already say, checked as the content tool checks a Data folder:
// the pack its header and the lengths of its category's pictures, each of which decodes; the
// index a title record for every picture of every category, each a title the game can show.
// Each file is replaced whole (written beside the old one, then renamed over it), so Data/ never
// holds a half file and a refused download leaves every earlier file as it was.
namespace PackInstall {

// What a category's download must bring.
struct Plan {
    int category = 0;
    QVector<qint32> lengths; // the category's pictures, from index.lvx
    qint64 packSize = 0;     // header and pictures
    qint64 titlesSize = 0;   // index.lvt: a record for every picture of every category
};

// Reads the category's lengths from index.lvx; fails with a message for the player when the
// category or the indexes do not allow a download.
Result<Plan> plan(const CategoryTable &table, int category);

// The pack's size and header: what can be told without decoding a picture.
Result<> checkPackHead(const Plan &plan, const QByteArray &pack);

// Checks without writing; fails with a message for the player naming what is wrong. Reads no
// file, so it may run away from the window's thread; gives up early once `*stop` turns true.
Result<> check(const Plan &plan, const QByteArray &pack, const QByteArray &titles,
               const std::atomic<bool> *stop = nullptr);

// Puts files that check() passed into Data/: the index first, then the pack.
Result<> write(const Plan &plan, const QByteArray &pack, const QByteArray &titles);

} // namespace PackInstall
