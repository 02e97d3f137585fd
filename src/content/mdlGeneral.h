#pragma once

#include <QByteArray>
#include <QString>
#include <array>

class QIODevice;

// The category table, the version text and the small services every part uses.
namespace mdlGeneral {

// Indexed 1 to 20 as the categories are; element 0 is unused.
extern std::array<QString, 21> CatName;
extern std::array<qint16, 21> CatCount;

bool isCategory(int category);

// Reads the picture counts from Data/index.lvs, opened read-only. False, with a message for the
// player in *error, when the Data folder is missing or index.lvs cannot be read (a folder, a
// pipe, a device); a missing index.lvs is created empty where it can be, and every count reads 0.
bool LoadCounts(QString *error = nullptr);
void LoadCatNames();

// Entry of the table; an empty name or 0 for a number outside 1 to 20.
QString GetCatName(int category);
qint16 GetCatCount(int category);

// "Versione 1.9.2" from the program's own version numbers.
QString GetVersion();

// Moves an open pack past its fixed header; false when the pack is shorter than the header.
bool SkipPackHeader(QIODevice &pack);

// Raises (mode 0) or lowers (any other mode) every character's Windows-1252 code by one.
// *ok turns false when a character has no such code or its shifted code leaves 0 to 255.
QString ShiftChars(const QString &text, int mode, bool *ok = nullptr);
QByteArray shiftBytes(const QByteArray &bytes, int mode, bool *ok = nullptr);

} // namespace mdlGeneral
