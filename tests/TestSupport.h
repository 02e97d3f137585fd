#pragma once

// Shared set-up for tests: a throw-away game folder and a recorder that answers message boxes.

#include "content/mdlGeneral.h"
#include "base/Messages.h"
#include "base/mdlConst.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QVector>
#include <QtEndian>

#include <unistd.h>

// A message that no test expects fails the test at once, instead of passing unseen or waiting
// for a click that never comes.
inline bool failUnexpectedMessage(const Messages::Message &message)
{
    QTest::qFail(qPrintable(QStringLiteral("unexpected message: ") + message.text), __FILE__, __LINE__);
    return false;
}
struct UnexpectedMessagesFail {
    UnexpectedMessagesFail() { Messages::setHandler(failUnexpectedMessage); }
};
inline UnexpectedMessagesFail unexpectedMessagesFail;

// A game folder with Data/, Temp/ and User/, set as the folder every path is relative to.
class GameFolderFixture
{
public:
    GameFolderFixture()
    {
        QDir root(m_dir.path());
        root.mkpath(QStringLiteral("Data"));
        root.mkpath(QStringLiteral("Temp"));
        root.mkpath(QStringLiteral("User"));
        mdlConst::setGameFolder(m_dir.path());
        mdlGeneral::LoadCatNames();
    }

    QString path(const QString &relative) const { return m_dir.path() + QLatin1Char('/') + relative; }

    // Writes Data/index.lvs with the given counts (categories 1 to 20) and loads them.
    void setCounts(const QVector<qint16> &counts) const
    {
        QByteArray bytes(5 * 20, '\0');
        for (int k = 0; k < counts.size() && k < 20; ++k)
            qToLittleEndian<qint16>(counts[k], bytes.data() + 5 * k);
        QFile file(path(QStringLiteral("Data/index.lvs")));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        file.close();
        mdlGeneral::LoadCounts();
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

// Answers every message box with a fixed answer and keeps what was shown.
class MessageRecorder
{
public:
    explicit MessageRecorder(bool answer = true)
        : m_answer(answer)
    {
        Messages::setHandler([this](const Messages::Message &message) {
            shown.append(message);
            return m_answer;
        });
    }
    ~MessageRecorder() { Messages::setHandler(failUnexpectedMessage); }

    void answer(bool yes) { m_answer = yes; }
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }

    QVector<Messages::Message> shown;

private:
    bool m_answer;
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
