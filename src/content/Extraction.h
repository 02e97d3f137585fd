#pragma once

#include <QString>

class clsUser;

// Copies pictures out of the packs in Data/ into files in Temp/ for the screens to load.
// Every routine reports a failure (missing or damaged pack or index) with false or an empty
// path and a message for the player in *error, and then leaves none of its files in Temp/.

// Number of pictures in all categories before `cat`; 0 for category 1 or less, -1 when the
// counts of index.lvs cannot be summed (a negative count, or more than 32767 pictures).
qint16 GetItemBase(int cat);

// First page of nine of the current genre category that is not fully solved; 1 when all are.
qint16 FindOpenPage(const clsUser &user, int base);

// Chooses curPage for the current category (0 for a themed one) and extracts that page.
bool PreparePage(clsUser &user, QString *error = nullptr);

// Writes the pictures of page curPage of category curcat as Temp/0001.tmp, 0002.tmp, … and
// the page list Temp/~temp.tmp, one line "cc:pp:kkkk:nnn:title" per picture, ended by CR LF.
bool ExtractPage(const clsUser &user, int base, QString *error = nullptr);

// Writes the thumbnail of `cat` for its state to Temp/thumb.tmp and returns that path.
QString ExtractThumb(const clsUser &user, int cat, QString *error = nullptr);

// Deletes every *.tmp file in Temp/.
void RemoveTempPictures();
