#pragma once

#include "base/GameTypes.h"
#include "base/Result.h"

#include <QByteArray>
#include <QString>
#include <QVector>

class CategoryTable;

// Copies pictures out of the packs in Data/ into files in Temp/ for the screens to load. A
// routine that fails (missing or damaged pack or index) says why in its result and leaves none of
// its files in Temp/.

// First page of nine whose solved flags (the category's, in play order) are not all 1; 1 when
// every page is solved.
qint16 findOpenPage(const QVector<qint16> &flags);

// Writes the pictures of page `page` of category `category` (0: the whole category) as
// Temp/0001.tmp, 0002.tmp, … and the page list Temp/~temp.tmp, one line "cc:pp:kkkk:nnn:title" per
// picture, ended by CR LF.
Result<> extractPage(const CategoryTable &table, int category, int page);

// Writes the thumbnail of `category` in the look of its state (A000 locked, B000 open, C000 won) to
// Temp/thumb.tmp and gives that path.
Result<QString> extractThumb(int category, Game::CategoryState state);

// Temp/<name> in the game folder, and the name of picture k's file there ("0001.tmp").
QString tempPath(const QString &name);
QString tempPictureName(int k);
// Writes `name` in Temp/ whole, replacing what was there and never writing through a link.
Result<> writeTempFile(const QString &name, const QByteArray &bytes);

// Deletes every *.tmp file in Temp/.
void removeTempPictures();
