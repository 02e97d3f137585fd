#include "TestSupport.h"
#include "content/ContentFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

// An installed copy: a read-only folder with shipped Data/, and a player's data folder
// (XDG_DATA_HOME) where that copy must write instead.
class InstalledCopy
{
public:
    InstalledCopy()
    {
        QDir(m_installed.path()).mkpath(QStringLiteral("Data"));
        qputenv("XDG_DATA_HOME", m_home.path().toUtf8());
    }
    ~InstalledCopy()
    {
        setWritable(true);
        qunsetenv("XDG_DATA_HOME");
    }

    void setWritable(bool writable)
    {
        const auto mode = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup
                          | QFile::ReadOther | QFile::ExeOther
                          | (writable ? QFile::WriteOwner : QFile::Permissions());
        for (const QString &folder : {installed(QStringLiteral("Data")), installed(QString())})
            QFile::setPermissions(folder, mode);
    }

    QString installed(const QString &relative) const
    {
        return m_installed.path() + QLatin1Char('/') + relative;
    }
    QString player(const QString &relative) const
    {
        return m_home.path() + QStringLiteral("/lumivo/") + relative;
    }

    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
        file.write(bytes);
    }

private:
    QTemporaryDir m_installed;
    QTemporaryDir m_home;
};

class tst_GameFolder : public QObject
{
    Q_OBJECT

private slots:
    // A writable copy writes and reads beside itself; a read-only one in the player's folder.
    void gameFolderIsTheCopyUnlessItIsReadOnly_data()
    {
        QTest::addColumn<bool>("writable");
        QTest::newRow("writable") << true;
        QTest::newRow("read-only") << false;
    }
    void gameFolderIsTheCopyUnlessItIsReadOnly()
    {
        QFETCH(bool, writable);
        InstalledCopy copy;
        copy.setWritable(writable);
        GameFolder::setInstalled(copy.installed(QString()));
        const QString base = writable ? copy.installed(QString()) : copy.player(QString());
        QCOMPARE(GameFolder::root() + QLatin1Char('/'), base);
        QCOMPARE(GameFolder::dataPath(ContentFiles::TitlesIndex), base + ContentFiles::TitlesIndex);
        QCOMPARE(QFileInfo::exists(copy.player(QString())), !writable);
        for (const QString &folder : {GameFolder::DataDir, GameFolder::TempDir, GameFolder::UserDir})
            QVERIFY2(writable || QFileInfo(copy.player(folder)).isDir(), qPrintable(folder));
    }

    // A shipped file is read until the player's folder holds a newer copy of it.
    void contentIsReadFromThePlayersCopyFirst()
    {
        InstalledCopy copy;
        InstalledCopy::write(copy.installed(ContentFiles::TitlesIndex), "shipped");
        copy.setWritable(false);
        GameFolder::setInstalled(copy.installed(QString()));
        QCOMPARE(GameFolder::dataPath(ContentFiles::TitlesIndex), copy.installed(ContentFiles::TitlesIndex));
        InstalledCopy::write(GameFolder::path(ContentFiles::TitlesIndex), "downloaded");
        QCOMPARE(GameFolder::dataPath(ContentFiles::TitlesIndex), copy.player(ContentFiles::TitlesIndex));
    }

    void countsAreReadFromAReadOnlyInstallation()
    {
        InstalledCopy copy;
        QByteArray counts(5 * 20, '\0');
        counts[5 * 6] = 42;
        InstalledCopy::write(copy.installed(ContentFiles::CountsIndex), counts);
        QFile::setPermissions(copy.installed(ContentFiles::CountsIndex), QFile::ReadOwner | QFile::ReadOther);
        copy.setWritable(false);
        GameFolder::setInstalled(copy.installed(QString()));
        CategoryTable table;
        QVERIFY(table.load());
        QCOMPARE(table.count(7), qint16(42));
        QVERIFY2(!QFileInfo::exists(copy.player(ContentFiles::CountsIndex)),
                 "the shipped counts must not be copied");
    }
};

QTEST_GUILESS_MAIN(tst_GameFolder)
#include "tst_GameFolder.moc"
