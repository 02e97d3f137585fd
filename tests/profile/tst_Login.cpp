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

    void answeringNoLeavesAnEmptyFileAndAsksAgain()
    {
        GameFolderFixture game;
        MessageRecorder answers(false);
        clsUser user;
        QVERIFY(!user.Login(QStringLiteral("Luigi"), QStringLiteral("x")));
        QVERIFY(QFile::exists(game.path(QStringLiteral("User/Luigi.lmp"))));
        QCOMPARE(game.read(QStringLiteral("User/Luigi.lmp")).size(), 0);
        QVERIFY(!user.Login(QStringLiteral("Luigi"), QStringLiteral("x")));
        QCOMPARE(answers.shown.size(), 2);
        QCOMPARE(answers.lastText(), CreateQuestion);
        answers.answer(true);
        QVERIFY(user.Login(QStringLiteral("Luigi"), QStringLiteral("x")));
        QCOMPARE(user.Categorie(1), qint16(1));
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

    void damagedProfilesAreRefusedAndLeftAsTheyAre_data()
    {
        QTest::addColumn<int>("record");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("group missing") << 3 << QByteArray();
        QTest::newRow("categories not a number")
            << 4 << QByteArray("1|0|0|0|1|0|1|1|0|0|0|0|0|0|0|x|0|0|0|0");
        QTest::newRow("time missing") << 5 << QByteArray();
        QTest::newRow("time slot short") << 5 << QByteArray("000000|00000|000000|000000");
    }

    void damagedProfilesAreRefusedAndLeftAsTheyAre()
    {
        QFETCH(int, record);
        QFETCH(QByteArray, text);
        GameFolderFixture game;
        MessageRecorder answers(true);
        clsUser user;
        QVERIFY(user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        {
            ProfileFile file(user.profilePath());
            QVERIFY(file.writeText(record, text));
        }
        const QByteArray before = game.read(QStringLiteral("User/Mario.lmp"));
        QVERIFY(!user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QCOMPARE(answers.shown.last().kind, Messages::Kind::Warning);
        QVERIFY(answers.lastText().contains(QStringLiteral("danneggiato")));
        QCOMPARE(game.read(QStringLiteral("User/Mario.lmp")), before);
    }

    void truncatedProfileIsRefusedNotCrashed()
    {
        GameFolderFixture game;
        MessageRecorder answers(true);
        clsUser user;
        QVERIFY(user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QFile raw(user.profilePath());
        QVERIFY(raw.resize(2 * 45 + 10));
        QVERIFY(!user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
        QVERIFY(answers.lastText().contains(QStringLiteral("danneggiato")));
        QCOMPARE(raw.size(), qint64(2 * 45 + 10));
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
