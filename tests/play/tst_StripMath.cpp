// Strip geometry, arrow steps, masks, position label and the pictures decoded around the view of the
// Bonus/Puzzle strip; a strip of fewer than three cells cannot move and has both arrows masked.

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

    // Every count walks to the end and back; the label names the cells whose boxes stand whole in
    // the client area.
    void arrowsWalkToTheEndAndBack_data()
    {
        QTest::addColumn<int>("count");
        for (int n = 1; n <= 20; ++n)
            QTest::addRow("%d pictures", n) << n;
    }
    void arrowsWalkToTheEndAndBack()
    {
        QFETCH(int, count);
        const int max = scrollMax(count);
        QVector<int> forward {ScrollMin};
        while (!arrowMasks(forward.last(), max).next)
            forward.append(nextValue(forward.last(), max));
        QVector<int> back {forward.last()};
        while (!arrowMasks(back.last(), max).back)
            back.append(backValue(back.last()));
        QCOMPARE(forward.size(), (count + 2) / 3);
        QCOMPARE(back.size(), forward.size());
        for (int v : forward + back) {
            int first = 0, last = 0;
            for (int k = 1; k <= count; ++k) {
                if (cellLeft(k) - v >= 0 && cellLeft(k) - v + TitleWidth <= ClientWidth) {
                    first = first ? first : k;
                    last = k;
                }
            }
            QCOMPARE(posText(v, count), QStringLiteral("%1 - %2").arg(first).arg(last));
            // Decoded: what is in view and what an arrow step brings; kept: at least as much.
            const CellRange near = nearCells(v, count), kept = keptCells(v, count);
            QVERIFY(near.first <= qMax(1, first - 3) && near.last >= qMin(count, last + 3));
            QVERIFY(kept.first <= near.first && kept.last >= near.last);
        }
        QCOMPARE(nextValue(max, max), max);
        QCOMPARE(backValue(ScrollMin), ScrollMin);
    }
};

QTEST_GUILESS_MAIN(tst_StripMath)
#include "tst_StripMath.moc"
