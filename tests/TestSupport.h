#pragma once

// Shared set-up for tests: a throw-away game folder with the session of the game that runs on it.

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "profile/GameSession.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QVector>
#include <QtEndian>

#include <unistd.h>

// Logs `name` in, making the profile when there is none, as the login window does when the
// player agrees to have it made.
inline bool logInOrCreate(Profile &profile, const QString &name, const QString &password)
{
    const Result<Profile::Admission> admission = profile.logIn(name, password);
    if (!admission)
        return false;
    return *admission == Profile::Admission::Admitted || profile.create(password).ok();
}

// A game folder with Data/, Temp/ and User/, set as the folder every path is relative to, and the
// session of the game that runs on it.
class GameFolderFixture
{
public:
    GameFolderFixture()
    {
        QDir root(m_dir.path());
        root.mkpath(QStringLiteral("Data"));
        root.mkpath(QStringLiteral("Temp"));
        root.mkpath(QStringLiteral("User"));
        GameFolder::setInstalled(m_dir.path());
    }

    GameSession session;
    Profile &profile() { return session.profile(); }
    const CategoryTable &table() const { return session.categories(); }
    // Logs the player in on the session, making the profile when there is none.
    bool logIn(const QString &name, const QString &password = QStringLiteral("pw"))
    {
        return logInOrCreate(session.profile(), name, password);
    }

    QString path(const QString &relative) const { return m_dir.path() + QLatin1Char('/') + relative; }

    // Writes Data/index.lvs with the given counts (categories 1 to 20) and loads them.
    void setCounts(const QVector<qint16> &counts)
    {
        QByteArray bytes(5 * 20, '\0');
        for (int k = 0; k < counts.size() && k < 20; ++k)
            qToLittleEndian<qint16>(counts[k], bytes.data() + 5 * k);
        QFile file(path(QStringLiteral("Data/index.lvs")));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        QVERIFY(session.categories().load().ok());
    }

    QByteArray read(const QString &relative) const
    {
        QFile file(path(relative));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }

    QStringList entries(const QString &folder) const
    {
        return QDir(path(folder)).entryList(QDir::Files | QDir::Hidden);
    }

private:
    QTemporaryDir m_dir;
};

// Makes files read-only for a block; as root, who writes anything, the block runs as "nobody",
// who keeps root's group: the group may enter the game folder.
struct ReadOnlyFiles {
    ReadOnlyFiles(const QString &gameFolder, const QStringList &files)
    {
        for (const QString &file : files)
            QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        switched = !files.isEmpty() && ::geteuid() == 0
                   && QFile::setPermissions(gameFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                                            | QFile::ReadGroup | QFile::ExeGroup)
                   && ::seteuid(65534) == 0;
    }
    ~ReadOnlyFiles()
    {
        if (switched && ::seteuid(0) != 0)
            qFatal("cannot become root again");
    }
    bool switched = false;
};
