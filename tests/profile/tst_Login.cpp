// Logging in: the three answers of an existing, missing or foreign profile, and the names and
// profiles that must be refused before they can do harm.

#include "TestSupport.h"
#include "profile/ProfileFile.h"
#include "profile/clsUser.h"

#include <QtTest>

namespace {
const QString WrongPassword = QStringLiteral("La password inserita non è corretta :P");
const QString CreateQuestion = QStringLiteral("L'utente non esiste, crearlo?");
const QString ForeignProfile
    = QStringLiteral("Il file utente appartiene ad un altro... non facciamo i furbi ;)");
} // namespace

class tst_Login : public QObject
{
    Q_OBJECT

private slots:
    void newNameIsCreatedOnYesAndAdmittedWithoutQuestionAfterwards()
    {
        GameFolderFixture game;
        MessageRecorder answers(true);
        clsUser user;
        QVERIFY(user.Login(QStringLiteral("Mario"), QStringLiteral("segreto")));
        QCOMPARE(answers.shown.size(), 1);
        QCOMPARE(answers.shown[0].text, CreateQuestion);
        QCOMPARE(answers.shown[0].title, QStringLiteral("Lumivo Pro"));
        QCOMPARE(answers.shown[0].kind, Messages::Kind::Question);

        clsUser again;
        QVERIFY(again.Login(QStringLiteral("Mario"), QStringLiteral("segreto")));
        QCOMPARE(answers.shown.size(), 1);
    }

    void wrongPasswordIsRefusedWithAWarning()
    {
        GameFolderFixture game;
        MessageRecorder answers(true);
        clsUser user;
        QVERIFY(user.Login(QStringLiteral("Mario"), QStringLiteral("segreto")));
        QVERIFY(!user.Login(QStringLiteral("Mario"), QStringLiteral("Segreto")));
        QCOMPARE(answers.lastText(), WrongPassword);
        QCOMPARE(answers.shown.last().kind, Messages::Kind::Warning);
        // A refusal changes nothing in the file.
        QCOMPARE(user.pwd(), QStringLiteral("segreto"));
    }

    void answeringNoLeavesNoFileAndAsksAgain()
    {
        GameFolderFixture game;
        MessageRecorder answers(false);
        clsUser user;
        // Reading before any login opens nothing for writing, so no User/.lmp appears.
        QCOMPARE(qint16(user.Group(1)), qint16(0));
        QVERIFY(!user.Login(QStringLiteral("Luigi"), QStringLiteral("x")));
        QCOMPARE(game.entries(QStringLiteral("User")), QStringList());
        QVERIFY(!user.Login(QStringLiteral("Luigi"), QStringLiteral("x")));
        QCOMPARE(answers.shown.size(), 2);
        QCOMPARE(answers.lastText(), CreateQuestion);
        answers.answer(true);
        QVERIFY(user.Login(QStringLiteral("Luigi"), QStringLiteral("x")));
        QCOMPARE(qint16(user.Categorie(1)), qint16(1));
    }

    void profileCopiedUnderAnotherNameIsRefused()
    {
        GameFolderFixture game;
        MessageRecorder answers(true);
        clsUser user;
        QVERIFY(user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QVERIFY(QFile::copy(game.path(QStringLiteral("User/Mario.lmp")),
                            game.path(QStringLiteral("User/mario.lmp"))));
        QVERIFY(!user.Login(QStringLiteral("mario"), QStringLiteral("pw")));
        QCOMPARE(answers.lastText(), ForeignProfile);
        QCOMPARE(answers.shown.last().kind, Messages::Kind::Warning);
    }

    void unusableNamesAreRefusedBeforeAnyFileIsMade_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::newRow("empty name") << QString() << QString();
        QTest::newRow("slash") << QStringLiteral("../evil") << QString();
        QTest::newRow("backslash") << QStringLiteral("a\\b") << QString();
        QTest::newRow("parent folder") << QStringLiteral("..") << QString();
        QTest::newRow("leading dot") << QStringLiteral(".hidden") << QString();
        QTest::newRow("control character") << QStringLiteral("a\tb") << QString();
        QTest::newRow("no Windows-1252 code") << QStringLiteral("Ωmega") << QString();
        QTest::newRow("name of 44 bytes") << QString(44, QLatin1Char('n')) << QString();
        QTest::newRow("password of 44 bytes") << QStringLiteral("Mario") << QString(44, QLatin1Char('p'));
        QTest::newRow("password without code") << QStringLiteral("Mario") << QStringLiteral("日本");
    }

    void unusableNamesAreRefusedBeforeAnyFileIsMade()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        GameFolderFixture game;
        MessageRecorder answers(true);
        clsUser user;
        QVERIFY(!user.Login(name, password));
        QCOMPARE(answers.shown.size(), 1);
        QCOMPARE(answers.shown[0].kind, Messages::Kind::Warning);
        QVERIFY(!answers.shown[0].text.isEmpty());
        QVERIFY(game.entries(QStringLiteral("User")).isEmpty());
        QVERIFY(QDir(game.path(QString())).entryList(QDir::Files).isEmpty());
    }

    void existingProfileIsNeverReplacedAndItsFaultIsNamed_data()
    {
        QTest::addColumn<int>("record"); // rewritten with `text`; 0: the file changed as `text` says
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name of length 0") << 1 << QByteArray() << "danneggiato";
        QTest::newRow("group missing") << 3 << QByteArray() << "danneggiato";
        QTest::newRow("categories not a number")
            << 4 << QByteArray("1|0|0|0|1|0|1|1|0|0|0|0|0|0|0|x|0|0|0|0") << "danneggiato";
        QTest::newRow("time slot short") << 5 << QByteArray("000000|00000|000000|000000") << "danneggiato";
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
        GameFolderFixture game;
        MessageRecorder answers(true);
        clsUser user;
        QVERIFY(user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QVERIFY(user.setItem(3, 1));
        const QString path = user.profilePath();
        const QString outside = game.path(QStringLiteral("outside.lmp"));
        if (record > 0)
            QVERIFY(ProfileFile(path).writeText(record, text));
        else if (text == "cut")
            QVERIFY(QFile(path).resize(45 + 10));
        else if (text == "link")
            QVERIFY(QFile::rename(path, outside) && QFile::link(outside, path));
        else if (text == "folder")
            QVERIFY(QFile::remove(path) && QDir().mkdir(path));
        const QByteArray before
            = game.read(QStringLiteral("User/Mario.lmp")) + game.read(QStringLiteral("outside.lmp"));
        {
            ReadOnlyFiles readOnly(game.path(QString()),
                                   text == "read-only" ? QStringList {path} : QStringList());
            QVERIFY(!user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        }
        QCOMPARE(answers.shown.size(), 2); // the creation, then the fault: never a question again
        QCOMPARE(answers.shown.last().kind, Messages::Kind::Warning);
        QVERIFY2(answers.lastText().contains(expected), qPrintable(answers.lastText()));
        QCOMPARE(game.read(QStringLiteral("User/Mario.lmp")) + game.read(QStringLiteral("outside.lmp")),
                 before);
    }

    void nameInAnotherCaseLogsIntoTheExistingProfile()
    {
        GameFolderFixture game;
        MessageRecorder answers(true);
        clsUser user;
        QVERIFY(user.Login(QStringLiteral("Giulia"), QStringLiteral("pw")));
        QVERIFY(user.Login(QStringLiteral("giulia"), QStringLiteral("pw")));
        QCOMPARE(user.user(), QStringLiteral("Giulia"));
        QVERIFY(!user.Login(QStringLiteral("GIULIA"), QStringLiteral("x")));
        QCOMPARE(answers.lastText(), WrongPassword);
        QCOMPARE(answers.shown.size(), 2);
        QCOMPARE(game.entries(QStringLiteral("User")), QStringList {QStringLiteral("Giulia.lmp")});
    }

    void stageThatCouldNotBeWrittenIsToldAndOpensAtLogin()
    {
        GameFolderFixture game;
        MessageRecorder answers(true);
        clsUser user;
        QVERIFY(user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        const QString path = user.profilePath();
        QVERIFY(ProfileFile(path).writeText(4, "2|0|0|0|2|0|2|2|0|0|0|0|0|0|0|0|0|0|0|0"));
        QVERIFY(QFile::rename(path, path + QStringLiteral(".away")) && QDir().mkdir(path));
        QVERIFY(!user.CheckUnlock());
        QVERIFY(answers.lastText().contains(QStringLiteral("sbloccate")));
        QVERIFY(QDir().rmdir(path) && QFile::rename(path + QStringLiteral(".away"), path));
        QVERIFY(user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QCOMPARE(qint16(user.Group(2)), qint16(1));
    }

    void missingUserFolderIsReportedNotCreatedSilently()
    {
        GameFolderFixture game;
        MessageRecorder answers(true);
        QVERIFY(QDir(game.path(QStringLiteral("User"))).removeRecursively());
        clsUser user;
        QVERIFY(!user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QCOMPARE(answers.shown.size(), 1);
        QVERIFY(answers.lastText().contains(QStringLiteral("User")));
    }
};

QTEST_GUILESS_MAIN(tst_Login)
#include "tst_Login.moc"
