#pragma once

#include "base/mdlConst.h"

#include <QString>
#include <QVector>

class ProfileFile;

// The player's profile. It keeps almost nothing in memory: every property opens the profile
// file User/<name>.lmp, reads or writes the one record it concerns and closes the file again,
// so every change is on disk at once.
class clsUser
{
public:
    // Chosen category (1 to 20, or 21 while Alpha is played) and the page on show; not stored.
    int curcat = 0;
    qint16 curPage = 0;

    QString user() const;
    void setUser(const QString &strUser);
    QString pwd() const;
    void setPwd(const QString &strPasw);

    // Game-type states, slots 1 Classic, 2 Bonus, 3 Alpha, 4 Puzzle.
    mdlConst::GameTypeState Group(int intIndex) const;
    bool setGroup(int intIndex, mdlConst::GameTypeState intEnabled);

    // Category states 1 to 20.
    mdlConst::CategoryState Categorie(int intCategoria) const;
    bool setCategorie(int intCategoria, mdlConst::CategoryState intState);

    // Seconds played per game type; a slot holds at most 999999.
    qint32 Time(int intIndex) const;
    bool setTime(int intIndex, qint32 lngTime);

    // 1 once the player's times were submitted.
    qint16 record() const;
    bool setRecord(qint16 intRecord);

    // Number of solved pictures of a category.
    qint16 Risolti(int intIndex) const;

    // Solved flag of a picture by its global number: 1 solved, 0 not.
    qint16 Item(int intIndex) const;
    bool setItem(int intIndex, qint16 intValue);
    // Solved flags of `count` pictures from `first` on, read in one opening of the file.
    QVector<qint16> Items(int first, int count) const;

    // Admits a player, creating the profile on request; shows its own messages. A profile whose
    // name differs only in case is the player's own; an existing file is never replaced.
    bool Login(const QString &strUser, const QString &strPasw);

    // Opens the next stage of categories and game types when the category states match one.
    // False, after telling the player, when the profile could not be written.
    bool CheckUnlock();

    static constexpr qint32 MaxSeconds = 999999;
    static QString profilePath(const QString &name);
    QString profilePath() const { return profilePath(curUser); }

private:

    // The name of the existing profile that `name` designates, whatever its letter case; `name`
    // itself when there is none.
    static QString existingName(const QString &name);
    static bool isWellFormed(ProfileFile &file);
    bool createProfile(const QString &strPasw, ProfileFile *emptyFile = nullptr);

    QString listSlot(int record, int index) const;
    bool replaceListSlot(int record, int index, const QString &value);

    QString curUser;
};

// The one profile object of the running game.
extern clsUser objUser;
