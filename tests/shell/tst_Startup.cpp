// Start-up: the game folder, the second copy and the real message box.

#include "TestSupport.h"
#include "widgets/MessageBox.h"
#include "shell/SingleInstance.h"
#include "shell/Startup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QtTest>

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

    void lockLeftByACrashedCopyIsTakenOver()
    {
        GameFolderFixture game;
        // A child process takes the lock and is killed before it can let go, as a crash would.
        QProcess holder;
        holder.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("sleep 30")});
        QVERIFY(holder.waitForStarted());
        const qint64 deadPid = holder.processId();
        holder.kill();
        QVERIFY(holder.waitForFinished());
        QFile stale(SingleInstance::lockPathFor(game.path(QString())));
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.write(QByteArray::number(deadPid) + "\nlumivo\n" + QSysInfo::machineHostName().toUtf8() + "\n");
        stale.close();

        SingleInstance afterCrash(game.path(QString()));
        QVERIFY(afterCrash.isFirst());
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
