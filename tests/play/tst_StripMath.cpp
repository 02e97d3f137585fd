// Strip geometry, arrow steps, masks, position label and keyboard reveal of the Bonus/Puzzle strip;
// a strip of fewer than three cells cannot move and has both arrows masked.

#include "play/StripMath.h"

#include <QtTest>

using namespace StripMath;

class tst_StripMath : public QObject
{
    Q_OBJECT

private slots:
    void geometryOfTwentyFourPictures()
    {
        QCOMPARE(scrollMax(24), (24 - 3) * CellPitch);
        QVERIFY(stripWidth(MaxCells) <= 32767);
        QVERIFY(stripWidth(MaxCells + 1) > 32767);
    }

    void arrowsWalkEndToEnd_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("labels");
        QTest::newRow("24 pictures") << 24 << QStringList {"1 - 3",   "4 - 6",   "7 - 9",   "10 - 12",
                                                           "13 - 15", "16 - 18", "19 - 21", "22 - 24"};
        QTest::newRow("11 pictures") << 11 << QStringList {"1 - 3", "4 - 6", "7 - 9", "9 - 11"};
        QTest::newRow("4 pictures") << 4 << QStringList {"1 - 3", "2 - 4"};
        QTest::newRow("2 pictures") << 2 << QStringList {"1 - 2"};
    }
    void arrowsWalkEndToEnd()
    {
        QFETCH(int, count);
        QFETCH(QStringList, labels);
        const int max = scrollMax(count);
        int v = ScrollMin;
        for (int click = 0; click < labels.size(); ++click) {
            QCOMPARE(posText(v, count), labels[click]);
            const ArrowMasks masks = arrowMasks(v, max);
            QCOMPARE(masks.back, click == 0);
            QCOMPARE(masks.next, click == labels.size() - 1);
            if (click < labels.size() - 1)
                v = nextValue(v, max);
        }
        QCOMPARE(v, max);
        QVERIFY(max >= ScrollMin);
        QCOMPARE(nextValue(v, max), max);
        QCOMPARE(backValue(ScrollMin), ScrollMin);
        // Back from the end returns to the start in as many clicks.
        for (int click = 1; click < labels.size(); ++click)
            v = backValue(v);
        QCOMPARE(v, ScrollMin);
    }

    void revealBringsTitleIntoView_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("cell");
        QTest::addColumn<int>("expected");
        QTest::newRow("already in view") << 24 << 0 << 3 << 0;
        QTest::newRow("next triple") << 24 << 0 << 4 << 624;
        QTest::newRow("one step back from the end") << 24 << 4368 << 19 << 3744;
        QTest::newRow("end of 11 from 7 - 9") << 11 << 1248 << 10 << 1664;
        QTest::newRow("off the step grid") << 24 << 100 << 1 << 0;
        QTest::newRow("short strip") << 2 << 0 << 2 << 0;
    }
    void revealBringsTitleIntoView()
    {
        QFETCH(int, count);
        QFETCH(int, value);
        QFETCH(int, cell);
        QFETCH(int, expected);
        const int v = revealValue(value, cell, count);
        QCOMPARE(v, expected);
        QVERIFY(cellLeft(cell) - v >= 0);
        QVERIFY(cellLeft(cell) - v + TitleWidth <= ClientWidth);
    }
};

QTEST_GUILESS_MAIN(tst_StripMath)
#include "tst_StripMath.moc"
