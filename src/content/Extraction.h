#pragma once

#include "base/mdlConst.h"

#include <QByteArray>
#include <QString>
#include <QVector>

// Copies pictures out of the packs in Data/ into files in Temp/ for the screens to load.
// Every routine reports a failure (missing or damaged pack or index) with false or an empty
// path and a message for the player in *error, and then leaves none of its files in Temp/.

// Number of pictures in all categories before `cat`; 0 for category 1 or less, -1 when the
// counts of index.lvs cannot be summed (a negative count, or more pictures than MaxPictures).
qint16 GetItemBase(int cat);

// First page of nine whose solved flags (the category's, in play order) are not all 1; 1 when
// every page is solved.
qint16 FindOpenPage(const QVector<qint16> &flags);

// Writes the pictures of page `page` of category `cat` (0: the whole category), whose first
// picture is number base + 1, as Temp/0001.tmp, 0002.tmp, … and the page list Temp/~temp.tmp,
// one line "cc:pp:kkkk:nnn:title" per picture, ended by CR LF.
bool ExtractPage(int cat, int page, int base, QString *error = nullptr);

// Writes the thumbnail of `cat` in the look of its state (A000 locked, B000 open, C000 won) to
// Temp/thumb.tmp and returns that path.
QString ExtractThumb(int cat, mdlConst::CategoryState state, QString *error = nullptr);

// Temp/<name> in the game folder, and the name of picture k's file there ("0001.tmp").
QString TempPath(const QString &name);
QString TempPictureName(int k);
// Writes `name` in Temp/ whole, replacing what was there and never writing through a link;
// false with a message for the player.
bool WriteTempFile(const QString &name, const QByteArray &bytes, QString *error);

// Deletes every *.tmp file in Temp/.
void RemoveTempPictures();
