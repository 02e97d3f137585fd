#pragma once

#include <QString>

// The game folder: Data/ with the content, Temp/ for pictures on their way to a screen, User/ with
// one profile per player. Paths are relative to it; path() turns them into absolute ones.
namespace GameFolder {

inline const QString DataDir = QStringLiteral("Data/");
inline const QString TempDir = QStringLiteral("Temp/");
inline const QString UserDir = QStringLiteral("User/");

inline const QString ProfileExtension = QStringLiteral(".lmp");

// The folder the game was installed in: the executable's folder unless set otherwise (tests).
void setInstalled(const QString &folder);
QString installed();

// The folder the game writes in: the installed folder where this user may write there, else the
// player's own folder in their data folder (~/.local/share/lumivo), made with its Data/, Temp/ and
// User/ on first use. Profiles, temporary pictures, downloads and the single-copy lock go here.
QString root();
QString path(const QString &relative);

// Where content is read from: the player's copy of a Data/ file where there is one, else the
// installed one; path(relative) where neither exists.
QString dataPath(const QString &relative);

// Whether the folder grants this user the right to write in it. Root, whom no permission stops,
// counts as allowed only where the folder's mode lets someone write, so a copy made read-only
// still sends root to their own folder.
bool isWritableFolder(const QString &folder);

} // namespace GameFolder
