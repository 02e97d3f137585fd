// The category table, the counts index, the version text and the shifted text form.

#include "TestSupport.h"
#include "content/Ansi.h"

#include <QBuffer>
#include <QtTest>

using namespace mdlGeneral;

class tst_mdlGeneral : public QObject
{
    Q_OBJECT

private slots:
    void countsComeFromTheIndexAndOutsideNumbersHaveNone()
    {
        GameFolderFixture game;
        QVector<qint16> counts;
        for (int c = 1; c <= 20; ++c)
            counts.append(qint16(c * 9));
        counts[19] = 157;
        game.setCounts(counts);
        QCOMPARE(GetCatCount(1), qint16(9));
        QCOMPARE(GetCatCount(20), qint16(157));
        QCOMPARE(GetCatCount(0), qint16(0));
        QCOMPARE(GetCatCount(21), qint16(0));
        QCOMPARE(GetCatName(0), QString());
        QCOMPARE(GetCatName(21), QString());
        QCOMPARE(GetCatName(5), QStringLiteral("Demenziali"));
        QCOMPARE(GetCatName(20), QStringLiteral("Vestiti"));
    }

    void shortCountsIndexLeavesTheRestAtZero()
    {
        GameFolderFixture game;
        QFile file(game.path(QStringLiteral("Data/index.lvs")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            QByteArray("\x12\x00\xAA\xBB\xCC\x24\x00", 7)); // record 1 whole, record 2 cut after its count
        file.close();
        QVERIFY(LoadCounts());
        QCOMPARE(GetCatCount(1), qint16(18));
        QCOMPARE(GetCatCount(2), qint16(36));
        QCOMPARE(GetCatCount(3), qint16(0));
    }

    void missingDataFolderLoadsNothing()
    {
        GameFolderFixture game;
        QVERIFY(QDir(game.path(QStringLiteral("Data"))).removeRecursively());
        QVERIFY(!LoadCounts());
        QVERIFY(!QDir(game.path(QStringLiteral("Data"))).exists());
    }

    void shiftingUpThenDownGivesTheTextBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("plain") << QStringLiteral("abc") << QByteArray("bcd");
        QTest::newRow("accents") << QStringLiteral("è perché") << QByteArray("\xE9!qfsdi\xEA");
    }

    void shiftingUpThenDownGivesTheTextBack()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, stored);
        bool ok = false;
        QCOMPARE(shiftBytes(Ansi::encode(text), 0, &ok), stored);
        QVERIFY(ok);
        QCOMPARE(Ansi::decode(shiftBytes(stored, 1, &ok)), text);
        QVERIFY(ok);
        QCOMPARE(ShiftChars(ShiftChars(text, 0), 1), text);
    }

    void codesThatCannotShiftAreReported()
    {
        bool ok = true;
        ShiftChars(QStringLiteral("ÿ"), 0, &ok);
        QVERIFY(!ok);
        shiftBytes(QByteArray("a\0b", 3), 1, &ok);
        QVERIFY(!ok);
        ShiftChars(QStringLiteral("Ω"), 0, &ok);
        QVERIFY(!ok);
        ShiftChars(QStringLiteral("ok"), 7, &ok);
        QVERIFY(ok);
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
