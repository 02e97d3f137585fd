#pragma once

#include <QString>

// Names and folders the whole game shares. Paths are relative to the game folder, the folder
// that holds the executable; gamePath() turns them into absolute ones.
namespace mdlConst {

inline const QString ProductTitle = QStringLiteral("Lumivo Pro");

inline const QString DataDir = QStringLiteral("Data/");
inline const QString TempDir = QStringLiteral("Temp/");
inline const QString UserDir = QStringLiteral("User/");

inline const QString CountsIndex = QStringLiteral("Data/index.lvs");
inline const QString LengthsIndex = QStringLiteral("Data/index.lvx");
inline const QString TitlesIndex = QStringLiteral("Data/index.lvt");

inline const QString ProfileExtension = QStringLiteral(".lmp");
inline const QString PackExtension = QStringLiteral(".lvd");
inline const QString PageList = QStringLiteral("~temp.tmp");
inline const QString ThumbFile = QStringLiteral("thumb.tmp");

constexpr int CategoryCount = 20;
constexpr int AlphaCategory = 21;
constexpr int PackHeaderSize = 25682;

// Game-type numbers: slot order of the profile's Group and Time lists.
enum GameType { Classic = 1, Bonus = 2, Alpha = 3, Puzzle = 4 };

// The folder everything is relative to; the executable's folder unless set otherwise (tests).
void setGameFolder(const QString &folder);
QString gameFolder();
QString gamePath(const QString &relative);

// "0007.lvd": a pack's file name from its category number or name.
QString packPath(int category);

} // namespace mdlConst
