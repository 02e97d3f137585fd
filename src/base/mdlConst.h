#pragma once

#include <QString>

// Names and folders the whole game shares. Paths are relative to the game folder, the folder
// that holds the executable; gamePath() turns them into absolute ones.
namespace mdlConst {

inline const QString ProductTitle = QStringLiteral("Lumivo Pro");

inline const QString DataDir = QStringLiteral("Data/");
inline const QString TempDir = QStringLiteral("Temp/");
inline const QString UserDir = QStringLiteral("User/");

inline const QString ProfileExtension = QStringLiteral(".lmp");

constexpr int CategoryCount = 20;
constexpr int AlphaCategory = 21;
// The screens are laid out in twips, fifteen to a pixel.
constexpr int TwipsPerPixel = 15;

// Game-type numbers: slot order of the profile's Group and Time lists, so they index them.
enum GameType { Classic = 1, Bonus = 2, Alpha = 3, Puzzle = 4 };

// A category's state and a game type's state, with the digits the profile stores for them.
enum class CategoryState : qint16 { Locked = 0, Open = 1, Won = 2 };
enum class GameTypeState : qint16 { Locked = 0, Open = 1, Completed = 2 };

// The folder the game was installed in: the executable's folder unless set otherwise (tests).
void setGameFolder(const QString &folder);
QString installedFolder();

// The folder the game writes in: the installed folder where this user may write there, else the
// player's own folder in their data folder (~/.local/share/lumivo), made with its Data/, Temp/ and
// User/ on first use. Profiles, temporary pictures, downloads and the single-copy lock go here.
QString gameFolder();
QString gamePath(const QString &relative);

// Where content is read from: the player's copy of a Data/ file where there is one, else the
// installed one; gamePath(relative) where neither exists.
QString dataPath(const QString &relative);

// Whether the folder grants this user the right to write in it. Root, whom no permission stops,
// counts as allowed only where the folder's mode lets someone write, so a copy made read-only
// still sends root to their own folder.
bool isWritableFolder(const QString &folder);

} // namespace mdlConst
