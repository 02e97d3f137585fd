// Logging in: the answers for an existing, missing or foreign profile, and the names and profiles
// that must be refused before they can do harm.

#include "TestSupport.h"
#include "content/SafeFile.h"
#include "profile/Profile.h"
#include "profile/ProfileFile.h"

#include <QtTest>

Q_DECLARE_METATYPE(FailureKind)

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

    // An unknown name makes nothing until the profile is created, under the name as typed. An
    // empty file, left by a creation refused earlier, is taken whatever its capitals.
    void newNameIsCreatedOnlyWhenAsked_data()
    {
        QTest::addColumn<bool>("emptyFile"); // User/Luigi.lmp, empty, before the login
        QTest::addColumn<QString>("typed");
        QTest::newRow("no file") << false << "Luigi";
        QTest::newRow("empty file in other capitals") << true << "luigi";
    }
    void newNameIsCreatedOnlyWhenAsked()
    {
        QFETCH(bool, emptyFile);
        QFETCH(QString, typed);
        // Reading before any login opens nothing for writing, so no User/.lmp appears.
        QCOMPARE(qint16(m_user->gameTypeState(1)), qint16(0));
        const QStringList file {QStringLiteral("Luigi.lmp")};
        if (emptyFile)
            QVERIFY(SafeFile::create(Profile::pathFor(QStringLiteral("Luigi")), QByteArray()));
        const Result<Profile::Admission> first = m_user->logIn(typed, QStringLiteral("x"));
        QVERIFY(first && *first == Profile::Admission::Unknown);
        QVERIFY(!m_user->isLoggedIn());
        QCOMPARE(m_game->entries(QStringLiteral("User")), emptyFile ? file : QStringList());
        QVERIFY(m_user->create(QStringLiteral("x")));
        QVERIFY(!m_user->create(QStringLiteral("x"))); // only the name logIn found, once
        QCOMPARE(qint16(m_user->categoryState(1)), qint16(1));
        QCOMPARE(m_user->name(), typed);
        QCOMPARE(m_game->entries(QStringLiteral("User")), file);
        Profile again(m_game->table());
        const Result<Profile::Admission> second = again.logIn(typed, QStringLiteral("x"));
        QVERIFY(second && *second == Profile::Admission::Admitted);
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
        QVERIFY(!m_user->create(password));
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

    // A profile belongs to the name stored in it, letter for letter; a refusal changes no file.
    void refusalsOfAnExistingProfile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<FailureKind>("kind");
        QTest::addColumn<QString>("message");
        const QString foreign
            = QStringLiteral("Il file utente appartiene ad un altro... non facciamo i furbi ;)");
        const QString wrong = QStringLiteral("La password inserita non è corretta :P");
        QTest::newRow("wrong password") << "Giulia"
                                        << "PW" << FailureKind::WrongPassword << wrong;
        QTest::newRow("other capitals") << "giulia"
                                        << "pw" << FailureKind::ForeignProfile << foreign;
        QTest::newRow("other capitals, wrong password") << "GIULIA"
                                                        << "x" << FailureKind::ForeignProfile << foreign;
        QTest::newRow("copied to another name") << "Copia"
                                                << "pw" << FailureKind::ForeignProfile << foreign;
    }
    void refusalsOfAnExistingProfile()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(FailureKind, kind);
        QFETCH(QString, message);
        QVERIFY(m_game->logIn(QStringLiteral("Giulia")));
        QVERIFY(QFile::copy(m_user->path(), m_game->path(QStringLiteral("User/Copia.lmp"))));
        const QByteArray before = m_game->read(QStringLiteral("User/Giulia.lmp"));
        const Result<Profile::Admission> admission = m_user->logIn(name, password);
        QVERIFY(!admission);
        QCOMPARE(admission.kind(), kind);
        QVERIFY2(admission.problem().contains(message), qPrintable(admission.problem()));
        QVERIFY(!m_user->create(password));
        QCOMPARE(m_game->read(QStringLiteral("User/Giulia.lmp")), before);
        QCOMPARE(m_game->entries(QStringLiteral("User")), (QStringList {"Copia.lmp", "Giulia.lmp"}));
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
