// Start-up: the game folder, the second copy and the real message box.

#include "TestSupport.h"
#include "shell/MessageBox.h"
#include "shell/SingleInstance.h"
#include "shell/Startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QtTest>

#include <sys/stat.h>

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Startup::prepareApplication(*qApp); }

    void missingDataFolderIsNamedAndStopsTheGame()
    {
        GameFolderFixture game;
        MessageRecorder answers(true);
        QVERIFY(QDir(game.path(QStringLiteral("Data"))).removeRecursively());
        QVERIFY(!Startup::prepareGameFolder());
        QCOMPARE(answers.shown.size(), 1);
        QCOMPARE(answers.shown[0].kind, Messages::Kind::Warning);
        QVERIFY(answers.lastText().contains(QDir::toNativeSeparators(game.path(QStringLiteral("Data/")))));
    }

    void tempAndUserFoldersAreMadeWhenMissing()
    {
        GameFolderFixture game;
        MessageRecorder answers(true);
        QVERIFY(QDir(game.path(QStringLiteral("Temp"))).removeRecursively());
        QVERIFY(QDir(game.path(QStringLiteral("User"))).removeRecursively());
        QVERIFY(Startup::prepareGameFolder());
        QVERIFY(QDir(game.path(QStringLiteral("Temp"))).exists());
        QVERIFY(QDir(game.path(QStringLiteral("User"))).exists());
        QVERIFY(answers.shown.isEmpty());
    }

    void missingCountsIndexIsMadeEmptyAndEveryCountIsZero()
    {
        GameFolderFixture game;
        game.setCounts({9, 18});
        QVERIFY(QFile::remove(game.path(QStringLiteral("Data/index.lvs"))));
        QVERIFY(Startup::prepareGameFolder());
        QVERIFY(QFile::exists(game.path(QStringLiteral("Data/index.lvs"))));
        QCOMPARE(game.read(QStringLiteral("Data/index.lvs")).size(), 0);
        for (int c = 1; c <= 20; ++c)
            QCOMPARE(mdlGeneral::GetCatCount(c), qint16(0));
        QCOMPARE(mdlGeneral::GetCatName(9), QStringLiteral("Thriller e Horror"));
    }

    void secondCopyIsRefusedWhileTheFirstRuns()
    {
        GameFolderFixture game;
        auto first = std::make_unique<SingleInstance>(game.path(QString()));
        QVERIFY(first->isFirst());
        QVERIFY(!SingleInstance(game.path(QString())).isFirst());
        first.reset();
        QVERIFY(SingleInstance(game.path(QString())).isFirst());
    }

    void lockThatNoLiveCopyHoldsIsTakenOverWhateverItHolds_data()
    {
        QTest::addColumn<QString>("left");
        QTest::newRow("empty file") << "empty";
        QTest::newRow("garbage") << "garbage";
        QTest::newRow("pid of a copy that died") << "dead";
        QTest::newRow("folder") << "folder";
        QTest::newRow("symbolic link") << "link";
    }
    void lockThatNoLiveCopyHoldsIsTakenOverWhateverItHolds()
    {
        QFETCH(QString, left);
        GameFolderFixture game;
        const QString lock = SingleInstance::lockPathFor(game.path(QString()));
        QVERIFY(lock.startsWith(game.path(QStringLiteral("User/"))));
        const QString outside = game.path(QStringLiteral("outside.txt"));
        if (left == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(lock));
        } else if (left == QLatin1String("link")) {
            QVERIFY(QFile::link(outside, lock));
        } else {
            QFile file(lock);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(left == QLatin1String("garbage") ? QByteArray("\xFF\x00zz\n", 5)
                       : left == QLatin1String("dead")  ? QByteArray("999999999\nlumivo\n")
                                                        : QByteArray());
        }
        SingleInstance instance(game.path(QString()));
        QVERIFY(instance.isFirst());
        QVERIFY(!QFileInfo::exists(outside));
        QVERIFY(!SingleInstance(game.path(QString())).isFirst());
    }

    void lockThatCannotBeTakenIsTold()
    {
        GameFolderFixture game;
        QVERIFY(QDir(game.path(QStringLiteral("User"))).removeRecursively());
        QFile blocker(game.path(QStringLiteral("User")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        SingleInstance instance(game.path(QString()));
        QVERIFY(!instance.isFirst());
        QVERIFY(instance.problem().contains(QStringLiteral("User")));
    }

    void countsIndexIsReadOnlyAndNeverASpecialFile()
    {
        GameFolderFixture game;
        game.setCounts({9, 18});
        MessageRecorder answers(true);
        {
            ReadOnlyFiles readOnly(game.path(QString()), {game.path(QStringLiteral("Data/index.lvs"))});
            QVERIFY(Startup::prepareGameFolder());
        }
        QCOMPARE(mdlGeneral::GetCatCount(2), qint16(18));
        // A pipe in its place would block start-up for ever.
        QVERIFY(QFile::remove(game.path(QStringLiteral("Data/index.lvs"))));
        QCOMPARE(::mkfifo(QFile::encodeName(game.path(QStringLiteral("Data/index.lvs"))).constData(), 0644),
                 0);
        QVERIFY(!Startup::prepareGameFolder());
        QVERIFY(answers.lastText().startsWith(QStringLiteral("Impossibile leggere il file")));
    }

    void questionsOfferItalianYesAndNo()
    {
        QString yesText;
        QString noText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            yesText = box->button(QMessageBox::Yes)->text();
            noText = box->button(QMessageBox::No)->text();
            icon = box->icon();
            box->button(QMessageBox::No)->click();
        });
        const bool answer = MessageBox::showModal(
            {QStringLiteral("Lumivo Pro"), QStringLiteral("Domanda?"), Messages::Kind::Question});
        QVERIFY(!answer);
        QCOMPARE(yesText.remove(QLatin1Char('&')), QStringLiteral("Sì"));
        QCOMPARE(noText.remove(QLatin1Char('&')), QStringLiteral("No"));
        QCOMPARE(icon, QMessageBox::Information);
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
