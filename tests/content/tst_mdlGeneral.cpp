// The counts index, the category table's bounds and the shifted text form.

#include "TestSupport.h"
#include "TinyContent.h"
#include "content/Ansi.h"

#include <QBuffer>
#include <QtTest>

using namespace mdlGeneral;

class tst_mdlGeneral : public QObject
{
    Q_OBJECT

private slots:
    void countsComeFromTheIndexOrAreZero()
    {
        GameFolderFixture game;
        // Record 1 whole, record 2 cut after its count.
        TinyContent::put(game, QStringLiteral("Data/index.lvs"),
                         QByteArray("\x12\x00\xAA\xBB\xCC\x24\x00", 7));
        QVERIFY(LoadCounts());
        QCOMPARE(GetCatCount(1), qint16(18));
        QCOMPARE(GetCatCount(2), qint16(36));
        QCOMPARE(GetCatCount(3), qint16(0));
        QCOMPARE(GetCatCount(21), qint16(0));
        QCOMPARE(GetCatName(0), QString());

        // Without a Data folder nothing is loaded, and no folder is made.
        QVERIFY(QDir(game.path(QStringLiteral("Data"))).removeRecursively());
        QVERIFY(!LoadCounts());
        QVERIFY(!QDir(game.path(QStringLiteral("Data"))).exists());
    }

    void shiftingGivesTheTextBackAndReportsCodesThatCannotShift()
    {
        const QByteArray stored("\xE9!qfsdi\xEA");
        bool ok = false;
        QCOMPARE(shiftBytes(Ansi::encode(QStringLiteral("è perché")), 0, &ok), stored);
        QVERIFY(ok);
        QCOMPARE(Ansi::decode(shiftBytes(stored, 1, &ok)), QStringLiteral("è perché"));
        QVERIFY(ok);
        ShiftChars(QStringLiteral("ÿ"), 0, &ok);
        QVERIFY(!ok);
        shiftBytes(QByteArray("a\0b", 3), 1, &ok);
        QVERIFY(!ok);
        ShiftChars(QStringLiteral("Ω"), 0, &ok);
        QVERIFY(!ok);
    }

    void packHeaderIsSkippedOnlyWhenComplete()
    {
        QByteArray pack(25682, 'h');
        pack += "IMAGE";
        QBuffer whole(&pack);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QVERIFY(SkipPackHeader(whole));
        QCOMPARE(whole.read(5), QByteArray("IMAGE"));

        QByteArray cut(100, 'h');
        QBuffer truncated(&cut);
        QVERIFY(truncated.open(QIODevice::ReadOnly));
        QVERIFY(!SkipPackHeader(truncated));
    }
};

QTEST_GUILESS_MAIN(tst_mdlGeneral)
#include "tst_mdlGeneral.moc"
