// Logging in: the three answers of an existing, missing or foreign profile, and the names and
// profiles that must be refused before they can do harm.

#include "TestSupport.h"
#include "profile/ProfileFile.h"
#include "profile/clsUser.h"

#include <QtTest>

class tst_Login : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    std::unique_ptr<MessageRecorder> m_answers;
    std::unique_ptr<clsUser> m_user;

private slots:
    void init()
    {
        m_game = std::make_unique<GameFolderFixture>();
        m_answers = std::make_unique<MessageRecorder>(true);
        m_user = std::make_unique<clsUser>();
    }
    void cleanup()
    {
        m_user.reset();
        m_answers.reset();
        m_game.reset();
    }

    // No leaves no file and asks again; yes creates the profile, which then logs in without a question.
    void newNameIsCreatedOnYesOnly()
    {
        m_answers->answer(false);
        // Reading before any login opens nothing for writing, so no User/.lmp appears.
        QCOMPARE(qint16(m_user->Group(1)), qint16(0));
        QVERIFY(!m_user->Login(QStringLiteral("Luigi"), QStringLiteral("x")));
        QCOMPARE(m_game->entries(QStringLiteral("User")), QStringList());
        m_answers->answer(true);
        QVERIFY(m_user->Login(QStringLiteral("Luigi"), QStringLiteral("x")));
        QCOMPARE(m_answers->shown.size(), 2);
        QCOMPARE(m_answers->shown[0].kind, Messages::Kind::Question);
        QCOMPARE(qint16(m_user->Categorie(1)), qint16(1));
        clsUser again;
        QVERIFY(again.Login(QStringLiteral("Luigi"), QStringLiteral("x")));
        QCOMPARE(m_answers->shown.size(), 2);
    }

    void profileCopiedUnderAnotherNameIsRefused()
    {
        QVERIFY(m_user->Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QVERIFY(QFile::copy(m_game->path(QStringLiteral("User/Mario.lmp")),
                            m_game->path(QStringLiteral("User/mario.lmp"))));
        QVERIFY(!m_user->Login(QStringLiteral("mario"), QStringLiteral("pw")));
        QCOMPARE(m_answers->lastText(),
                 QStringLiteral("Il file utente appartiene ad un altro... non facciamo i furbi ;)"));
        QCOMPARE(m_answers->shown.last().kind, Messages::Kind::Warning);
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
        QVERIFY(!m_user->Login(name, password));
        QCOMPARE(m_answers->shown.size(), 1);
        QCOMPARE(m_answers->shown[0].kind, Messages::Kind::Warning);
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
        QVERIFY(m_user->Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QVERIFY(m_user->setItem(3, 1));
        const QString path = m_user->profilePath();
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
        {
            ReadOnlyFiles readOnly(m_game->path(QString()),
                                   text == "read-only" ? QStringList {path} : QStringList());
            QVERIFY(!m_user->Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        }
        QCOMPARE(m_answers->shown.size(), 2); // the creation, then the fault: never a question again
        QCOMPARE(m_answers->shown.last().kind, Messages::Kind::Warning);
        QVERIFY2(m_answers->lastText().contains(expected), qPrintable(m_answers->lastText()));
        QCOMPARE(m_game->read(QStringLiteral("User/Mario.lmp")) + m_game->read(QStringLiteral("outside.lmp")),
                 before);
    }

    // A wrong password, in any case of the name, is refused and changes nothing in the file.
    void nameInAnotherCaseLogsIntoTheExistingProfile()
    {
        QVERIFY(m_user->Login(QStringLiteral("Giulia"), QStringLiteral("pw")));
        QVERIFY(m_user->Login(QStringLiteral("giulia"), QStringLiteral("pw")));
        QCOMPARE(m_user->user(), QStringLiteral("Giulia"));
        QVERIFY(!m_user->Login(QStringLiteral("GIULIA"), QStringLiteral("PW")));
        QCOMPARE(m_answers->lastText(), QStringLiteral("La password inserita non è corretta :P"));
        QCOMPARE(m_answers->shown.size(), 2);
        QCOMPARE(m_user->pwd(), QStringLiteral("pw"));
        QCOMPARE(m_game->entries(QStringLiteral("User")), QStringList {QStringLiteral("Giulia.lmp")});
    }

    void stageThatCouldNotBeWrittenIsToldAndOpensAtLogin()
    {
        QVERIFY(m_user->Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        const QString path = m_user->profilePath();
        QVERIFY(ProfileFile(path).writeText(4, "2|0|0|0|2|0|2|2|0|0|0|0|0|0|0|0|0|0|0|0"));
        QVERIFY(QFile::rename(path, path + QStringLiteral(".away")) && QDir().mkdir(path));
        QVERIFY(!m_user->CheckUnlock());
        QVERIFY(m_answers->lastText().contains(QStringLiteral("sbloccate")));
        QVERIFY(QDir().rmdir(path) && QFile::rename(path + QStringLiteral(".away"), path));
        QVERIFY(m_user->Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QCOMPARE(qint16(m_user->Group(2)), qint16(1));
    }

    void missingUserFolderIsReportedNotCreatedSilently()
    {
        QVERIFY(QDir(m_game->path(QStringLiteral("User"))).removeRecursively());
        QVERIFY(!m_user->Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QCOMPARE(m_answers->shown.size(), 1);
        QVERIFY(m_answers->lastText().contains(QStringLiteral("User")));
    }
};

QTEST_GUILESS_MAIN(tst_Login)
#include "tst_Login.moc"
