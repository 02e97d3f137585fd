#pragma once

#include "base/GameTypes.h"
#include "base/Result.h"
#include "profile/Unlock.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

class CategoryTable;
class ProfileFile;

// A player's profile. It keeps almost nothing in memory: every property opens the profile file
// User/<name>.lmp, reads or writes the one record it concerns and closes the file again, so every
// change is on disk at once. The category table numbers the pictures whose solved flags it holds.
class Profile
{
    Q_DECLARE_TR_FUNCTIONS(Profile)

public:
    explicit Profile(const CategoryTable &table);

    // The table that numbers the pictures of this profile's solved flags.
    const CategoryTable &categories() const { return m_table; }

    enum class Admission {
        Admitted, // name and password fit an existing profile
        Unknown,  // there is no profile of that name: create() makes it
    };
    // Checks a name and password against the profiles in User/. Fails, telling why, for a name the
    // profile cannot hold, a wrong password, a profile of someone else's or a damaged, linked or
    // read-only profile. A name that differs only in case designates the same file, and is
    // refused unless it is the name stored inside.
    Result<Admission> logIn(const QString &name, const QString &password);
    // Makes the profile of the name logIn() found Unknown, with the starting states, and logs the
    // player in; never replaces anything that appeared meanwhile.
    Result<> create(const QString &password);

    bool isLoggedIn() const { return !m_name.isEmpty(); }
    // The name the profile file carries (its letter case, not necessarily the one typed).
    QString fileName() const { return m_name; }
    // The name stored inside the profile.
    QString name() const;

    Game::GameTypeState gameTypeState(int gameType) const;
    bool setGameTypeState(int gameType, Game::GameTypeState state);

    Game::CategoryState categoryState(int category) const;
    bool setCategoryState(int category, Game::CategoryState state);

    // Seconds played per game type; a slot holds at most MaxSeconds.
    qint32 playTime(int gameType) const;
    bool setPlayTime(int gameType, qint32 seconds);
    static constexpr qint32 MaxSeconds = 999999;

    // Whether the player's times were taken by the game's site.
    bool timesSent() const;
    bool setTimesSent(bool sent);

    // Solved flag of a picture by its global number: 1 solved, 0 not.
    qint16 solvedFlag(int picture) const;
    bool setSolvedFlag(int picture, qint16 flag);
    // Solved flags of `count` pictures from `first` on, read in one opening of the file.
    QVector<qint16> solvedFlags(int first, int count) const;
    // Solved pictures of a category.
    qint16 solvedCount(int category) const;

    // Opens the next stage of categories and game types when the category states match one, and
    // says what opened. Fails when the profile could not be written.
    Result<Unlock::Opened> checkUnlock();

    // User/<name>.lmp in the game folder.
    static QString pathFor(const QString &name);
    QString path() const { return pathFor(m_name); }

private:
    // The name of the existing profile that `name` designates, whatever its letter case; `name`
    // itself when there is none.
    static QString existingName(const QString &name);
    static bool isWellFormed(ProfileFile &file);

    QString listSlot(int record, int index) const;
    bool replaceListSlot(int record, int index, const QString &value);

    const CategoryTable &m_table;
    QString m_name; // the logged-in player's profile
    // A name logIn() found without a profile, until create(): the file it takes (an empty file
    // may carry other capitals) and the name as typed, which the profile stores.
    struct Candidate {
        QString fileName;
        QString typedName;
    };
    Candidate m_candidate;
};
