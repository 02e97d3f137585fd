// Logging in: the answers for an existing, missing or foreign profile, and the names and profiles
// that must be refused before they can do harm.

#include "TestSupport.h"
#include "profile/Profile.h"
#include "profile/ProfileFile.h"

#include <QtTest>

class tst_ProfileLogin : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    Profile *m_user = nullptr;

    // The message of a refused login; empty when the login was not refused.
    QString refusal(const QString &name, const QString &password)
    {
        const Result<Profile::Admission> admission = m_user->logIn(name, password);
        return admission ? QString() : admission.problem();
    }

private slots:
    void init()
    {
        m_game = std::make_unique<GameFolderFixture>();
        m_user = &m_game->profile();
    }
    void cleanup() { m_game.reset(); }

    // An unknown name makes nothing until the profile is created; then it logs in as it is.
    void newNameIsCreatedOnlyWhenAsked()
    {
        // Reading before any login opens nothing for writing, so no User/.lmp appears.
        QCOMPARE(qint16(m_user->gameTypeState(1)), qint16(0));
        const Result<Profile::Admission> first = m_user->logIn(QStringLiteral("Luigi"), QStringLiteral("x"));
        QVERIFY(first && *first == Profile::Admission::Unknown);
        QVERIFY(!m_user->isLoggedIn());
        QCOMPARE(m_game->entries(QStringLiteral("User")), QStringList());
        QVERIFY(m_user->create(QStringLiteral("x")));
        QVERIFY(!m_user->create(QStringLiteral("x"))); // only the name logIn found, once
        QCOMPARE(qint16(m_user->categoryState(1)), qint16(1));
        Profile again(m_game->table());
        const Result<Profile::Admission> second = again.logIn(QStringLiteral("Luigi"), QStringLiteral("x"));
        QVERIFY(second && *second == Profile::Admission::Admitted);
        QCOMPARE(again.fileName(), QStringLiteral("Luigi"));
    }

    void profileCopiedUnderAnotherNameIsRefused()
    {
        QVERIFY(m_game->logIn(QStringLiteral("Mario")));
        QVERIFY(QFile::copy(m_game->path(QStringLiteral("User/Mario.lmp")),
                            m_game->path(QStringLiteral("User/mario.lmp"))));
        QCOMPARE(refusal(QStringLiteral("mario"), QStringLiteral("pw")),
                 QStringLiteral("Il file utente appartiene ad un altro... non facciamo i furbi ;)"));
    }

    void unusableNamesAreRefusedBeforeAnyFileIsMade_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::newRow("empty name") << QString() << QString();
        QTest::newRow("slash") << QStringLiteral("../evil") << QString();
        QTest::newRow("leading dot") << QStringLiteral(".hidden") << QString();
        QTest::newRow("control character") << QStringLiteral("a\tb") << QString();
        QTest::newRow("no Windows-1252 code") << QStringLiteral("Ωmega") << QString();
        QTest::newRow("name of 44 bytes") << QString(44, QLatin1Char('n')) << QString();
        QTest::newRow("password of 44 bytes") << QStringLiteral("Mario") << QString(44, QLatin1Char('p'));
    }

    void unusableNamesAreRefusedBeforeAnyFileIsMade()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QVERIFY(!refusal(name, password).isEmpty());
        QVERIFY(m_game->entries(QStringLiteral("User")).isEmpty());
        QVERIFY(QDir(m_game->path(QString())).entryList(QDir::Files).isEmpty());
    }

    void existingProfileIsNeverReplacedAndItsFaultIsNamed_data()
    {
        QTest::addColumn<int>("record"); // rewritten with `text`; 0: the file changed as `text` says
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("categories not a number")
            << 4 << QByteArray("1|0|0|0|1|0|1|1|0|0|0|0|0|0|0|x|0|0|0|0") << "danneggiato";
        QTest::newRow("cut to one record") << 0 << QByteArray("cut") << "danneggiato";
        QTest::newRow("symbolic link") << 0 << QByteArray("link") << "collegamento";
        QTest::newRow("folder") << 0 << QByteArray("folder") << "non si può leggere";
        QTest::newRow("read-only") << 0 << QByteArray("read-only") << "non si può scrivere";
    }
    void existingProfileIsNeverReplacedAndItsFaultIsNamed()
    {
        QFETCH(int, record);
        QFETCH(QByteArray, text);
        QFETCH(QString, expected);
        QVERIFY(m_game->logIn(QStringLiteral("Mario")));
        QVERIFY(m_user->setSolvedFlag(3, 1));
        const QString path = m_user->path();
        const QString outside = m_game->path(QStringLiteral("outside.lmp"));
        if (record > 0)
            QVERIFY(ProfileFile(path).writeText(record, text));
        else if (text == "cut")
            QVERIFY(QFile(path).resize(45 + 10));
        else if (text == "link")
            QVERIFY(QFile::rename(path, outside) && QFile::link(outside, path));
        else if (text == "folder")
            QVERIFY(QFile::remove(path) && QDir().mkdir(path));
        const QByteArray before
            = m_game->read(QStringLiteral("User/Mario.lmp")) + m_game->read(QStringLiteral("outside.lmp"));
        QString problem;
        {
            ReadOnlyFiles readOnly(m_game->path(QString()),
                                   text == "read-only" ? QStringList {path} : QStringList());
            problem = refusal(QStringLiteral("Mario"), QStringLiteral("pw"));
        }
        QVERIFY2(problem.contains(expected), qPrintable(problem));
        QVERIFY(!m_user->create(QStringLiteral("pw")));
        QCOMPARE(m_game->read(QStringLiteral("User/Mario.lmp")) + m_game->read(QStringLiteral("outside.lmp")),
                 before);
    }

    // A wrong password, in any case of the name, is refused and changes nothing in the file.
    void nameInAnotherCaseLogsIntoTheExistingProfile()
    {
        QVERIFY(m_game->logIn(QStringLiteral("Giulia")));
        const QByteArray before = m_game->read(QStringLiteral("User/Giulia.lmp"));
        QVERIFY(m_user->logIn(QStringLiteral("giulia"), QStringLiteral("pw")));
        QCOMPARE(m_user->name(), QStringLiteral("Giulia"));
        QCOMPARE(refusal(QStringLiteral("GIULIA"), QStringLiteral("PW")), Profile::wrongPassword());
        QCOMPARE(m_game->read(QStringLiteral("User/Giulia.lmp")), before);
        QCOMPARE(m_game->entries(QStringLiteral("User")), QStringList {QStringLiteral("Giulia.lmp")});
    }

    void stageThatCouldNotBeWrittenIsToldAndOpensLater()
    {
        QVERIFY(m_game->logIn(QStringLiteral("Mario")));
        const QString path = m_user->path();
        QVERIFY(ProfileFile(path).writeText(4, "2|0|0|0|2|0|2|2|0|0|0|0|0|0|0|0|0|0|0|0"));
        QVERIFY(QFile::rename(path, path + QStringLiteral(".away")) && QDir().mkdir(path));
        const Result<Unlock::Opened> failed = m_user->checkUnlock();
        QVERIFY(!failed && failed.problem().contains(QStringLiteral("sbloccate")));
        QVERIFY(QDir().rmdir(path) && QFile::rename(path + QStringLiteral(".away"), path));
        const Result<Unlock::Opened> opened = m_user->checkUnlock();
        QVERIFY(opened);
        QCOMPARE(opened->gameTypes, QVector<int> {Game::Bonus});
        QCOMPARE(opened->categories, (QVector<int> {2, 3, 14, 16}));
    }

    void missingUserFolderIsReportedNotCreatedSilently()
    {
        QVERIFY(QDir(m_game->path(QStringLiteral("User"))).removeRecursively());
        QVERIFY(refusal(QStringLiteral("Mario"), QStringLiteral("pw")).contains(QStringLiteral("User")));
        QVERIFY(!m_user->create(QStringLiteral("pw")));
        QVERIFY(!QFileInfo::exists(m_game->path(QStringLiteral("User"))));
    }
};

QTEST_GUILESS_MAIN(tst_ProfileLogin)
#include "tst_ProfileLogin.moc"
