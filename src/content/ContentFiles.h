#pragma once

#include "base/Result.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <optional>

class QFile;

// Record layouts of the files in Data/ and positioned reads of them. The packs carry no offset
// table, so a picture is found from the lengths in its index: only the records of the pictures
// before it and its own are read, never the earlier pictures themselves.
namespace ContentFiles {

inline const QString CountsIndex = QStringLiteral("Data/index.lvs");
inline const QString LengthsIndex = QStringLiteral("Data/index.lvx");
inline const QString TitlesIndex = QStringLiteral("Data/index.lvt");
inline const QString PackExtension = QStringLiteral(".lvd");
// Temp/: the page list beside the picture files 0001.tmp…, and the thumbnail on its way.
inline const QString PageList = QStringLiteral("~temp.tmp");
inline const QString ThumbFile = QStringLiteral("thumb.tmp");

constexpr int PackHeaderSize = 25682; // bytes before a pack's first picture

constexpr int CountRecordSize = 5;  // index.lvs: qint16 count, 3 unused bytes
constexpr int LengthRecordSize = 7; // index.lvx, A000.lvx…: qint32 last byte index, 3 unused bytes
constexpr int TitleRecordSize = 82; // index.lvt: quint16 length, shifted title bytes
constexpr int MaxTitleLength = 80;
// Picture k's solved flag is profile record k + 100, and records are numbered in 16 bits: the
// one limit on the pictures of all categories together.
constexpr int MaxPictures = 32667;
constexpr int MaxThemedCount = 157; // one strip cell per picture
constexpr int PageSize = 9;
constexpr int LastGenreCategory = 9;
constexpr int ThumbStates = 3;

inline bool isGenre(int category)
{
    return category >= 1 && category <= LastGenreCategory;
}

// "Data/0007.lvd" and "Data/B000.lvd": file names as the player's messages show them.
QString packFile(int category);
QString thumbPackFile(int state); // 0 locked A000, 1 open B000, anything else won C000
QString thumbIndexFile(int state);
// Where category `category`'s pack is read from (the player's copy first).
QString packPath(int category);

// The picture bytes and the plain titles (Windows-1252, as they go into the page list) of a run
// of consecutive pictures of one pack.
struct Run {
    QVector<QByteArray> pictures;
    QVector<QByteArray> titles;
};

// Reads pictures first … first + count − 1 (record numbers of `indexFile`, 1-based) from
// `packFile`, whose first picture is record `packFirst`. Titles come from index.lvt when
// `withTitles` is set. Paths are relative to the game folder. A missing or damaged file fails
// with a message for the player naming the file.
Result<Run> readRun(const QString &packFile, const QString &indexFile, int packFirst, int first, int count,
                    bool withTitles);

// Opens a file of Data/ (relative to the game folder, the player's copy first) for reading: only
// a regular file, so a pipe never blocks the game and a device never feeds it without end.
Result<> openData(QFile &file, const QString &relative);

// Title record of index.lvt <-> plain Windows-1252 title. Decoding gives nothing for a length
// over 80 or a stored byte 0, which has no plain counterpart.
std::optional<QByteArray> titleFromRecord(const QByteArray &record);
QByteArray titleRecord(const QByteArray &title);

qint32 lengthAt(const QByteArray &records, int index);
QByteArray lengthRecord(qint32 lastByte);

// "Il file Data/0007.lvd manca o è danneggiato: <reason>."
QString damagedMessage(const QString &file, const QString &reason);
// The reasons more than one reader gives: the counts of index.lvs do not add up, and a title
// record of index.lvt does not decode.
QString countsMismatch();
QString unreadableTitle(int picture);

// Bytes read from Data/ by these routines since the last reset; lets a benchmark prove that
// extraction reads only what it hands out.
qint64 bytesRead();
void resetBytesRead();

} // namespace ContentFiles
