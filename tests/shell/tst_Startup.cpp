// Start-up: the game folder and the second copy.

#include "TestSupport.h"
#include "shell/SingleInstance.h"
#include "shell/Startup.h"

#include <QtTest>

#include <sys/stat.h>

class tst_Startup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Startup::prepareApplication(); }

    // Temp/, User/ and an empty counts index are made when missing, without a word; Data/ must be there.
    void missingFoldersAreMadeButData()
    {
        GameFolderFixture game;
        game.setCounts({9, 18});
        QVERIFY(QFile::remove(game.path(QStringLiteral("Data/index.lvs"))));
        QVERIFY(QDir(game.path(QStringLiteral("Temp"))).removeRecursively());
        QVERIFY(QDir(game.path(QStringLiteral("User"))).removeRecursively());
        QVERIFY(Startup::prepareGameFolder(game.session.categories()));
        QVERIFY(QDir(game.path(QStringLiteral("Temp"))).exists()
                && QDir(game.path(QStringLiteral("User"))).exists());
        QCOMPARE(game.table().count(2), qint16(0));
        QVERIFY(QDir(game.path(QStringLiteral("Data"))).removeRecursively());
        const Result<> prepared = Startup::prepareGameFolder(game.session.categories());
        QVERIFY(prepared.problem().contains(QDir::toNativeSeparators(game.path(QStringLiteral("Data/")))));
    }

    void lockIsTakenOverWhenNoLiveCopyHoldsItAndAFailureIsTold_data()
    {
        QTest::addColumn<QByteArray>("left"); // the lock file's content, or <what> stands there
        QTest::addColumn<bool>("first");
        QTest::newRow("pid of a copy that died") << QByteArray("999999999\nlumivo\n") << true;
        QTest::newRow("symbolic link") << QByteArray("<link>") << true;
        QTest::newRow("User/ a file: told") << QByteArray("<User>") << false;
    }
    void lockIsTakenOverWhenNoLiveCopyHoldsItAndAFailureIsTold()
    {
        QFETCH(QByteArray, left);
        QFETCH(bool, first);
        GameFolderFixture game;
        const QString lock = SingleInstance::lockPathFor(game.path(QString()));
        QFile file(left == "<User>" ? game.path(QStringLiteral("User")) : lock);
        if (left == "<link>")
            QVERIFY(QFile::link(game.path(QStringLiteral("outside")), lock));
        else if (left == "<User>")
            QVERIFY(QDir(game.path(QStringLiteral("User"))).removeRecursively()
                    && file.open(QIODevice::WriteOnly));
        else
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(left) == left.size());
        file.close();
        {
            SingleInstance instance(game.path(QString()));
            QCOMPARE(instance.isFirst(), first);
            QCOMPARE(instance.problem().contains(QStringLiteral("User")), !first);
            QVERIFY(!QFileInfo::exists(game.path(QStringLiteral("outside"))));
            // A second copy is refused while the first runs, and runs once it is gone.
            QVERIFY(!SingleInstance(game.path(QString())).isFirst());
        }
        QCOMPARE(SingleInstance(game.path(QString())).isFirst(), first);
    }

    void countsIndexIsReadOnlyAndNeverASpecialFile()
    {
        GameFolderFixture game;
        game.setCounts({9, 18});
        CategoryTable table;
        {
            ReadOnlyFiles readOnly(game.path(QString()), {game.path(QStringLiteral("Data/index.lvs"))});
            QVERIFY(Startup::prepareGameFolder(table));
        }
        QCOMPARE(table.count(2), qint16(18));
        // A pipe in its place would block start-up for ever.
        QVERIFY(QFile::remove(game.path(QStringLiteral("Data/index.lvs"))));
        QCOMPARE(::mkfifo(QFile::encodeName(game.path(QStringLiteral("Data/index.lvs"))).constData(), 0644),
                 0);
        const Result<> prepared = Startup::prepareGameFolder(table);
        QVERIFY(prepared.problem().startsWith(QStringLiteral("Impossibile leggere il file")));
    }
};

QTEST_MAIN(tst_Startup)
#include "tst_Startup.moc"
