// The Alpha board: move rule, the order of titles and the order test. The draw's test checks that
// every board dealt can be solved, the screen's the arrow keys.

#include "content/Ansi.h"
#include "play/AlphaBoard.h"

#include <QtTest>

namespace {

QVector<AlphaTile> tilesOf(const QByteArrayList &titles)
{
    QVector<AlphaTile> tiles;
    for (const QByteArray &title : titles)
        tiles.append(AlphaTile {int(tiles.size()) + 1, title});
    return tiles;
}

QByteArrayList letters(const char *fifteen)
{
    QByteArrayList titles;
    for (const char *c = fifteen; *c; ++c)
        titles.append(QByteArray(1, *c));
    return titles;
}

// A board whose empty cell has been walked up column 4, then left along its row, to e.
AlphaBoard boardWithEmptyAt(int e)
{
    AlphaBoard board(tilesOf(letters("ABCDEFGHIJKLMNO")));
    const int row = (e - 1) / 4, column = (e - 1) % 4;
    for (int r = 2; r >= row; --r)
        board.move(r * 4 + 4);
    for (int c = 2; c >= column; --c)
        board.move(row * 4 + c + 1);
    return board;
}

} // namespace

class tst_AlphaBoard : public QObject
{
    Q_OBJECT

private slots:
    void movesOnlyNextToTheEmptyCell_data()
    {
        QTest::addColumn<int>("empty");
        QTest::addColumn<int>("cell");
        QTest::addColumn<bool>("moves");
        for (int k : {2, 5, 7, 10})
            QTest::addRow("empty 6, click %d", k) << 6 << k << true;
        for (int k : {1, 3, 9, 11, 6})
            QTest::addRow("empty 6, click %d", k) << 6 << k << false;
        QTest::newRow("empty 5, row end before") << 5 << 4 << false;
        QTest::newRow("empty 4, row start after") << 4 << 5 << false;
    }
    void movesOnlyNextToTheEmptyCell()
    {
        QFETCH(int, empty);
        QFETCH(int, cell);
        QFETCH(bool, moves);
        AlphaBoard board = boardWithEmptyAt(empty);
        QCOMPARE(board.intEmpty(), empty);
        const AlphaTile clicked = board.cell(cell);
        QCOMPARE(board.move(cell), moves);
        QCOMPARE(board.intEmpty(), moves ? cell : empty);
        if (moves) {
            QCOMPARE(board.cell(empty).picture, clicked.picture);
            QVERIFY(board.cell(cell).title.isEmpty());
        }
    }

    // Titles as Windows-1252 bytes; order -1 when the first comes first, 0 when they tie.
    void titlesStandInAReadersOrder_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::addColumn<int>("order");
        QTest::newRow("small b before capital G")
            << QByteArray("Il buono") << QByteArray("Il Gattopardo") << -1;
        QTest::newRow("apostrophe skipped") << QByteArray("La dolce vita") << QByteArray("L'ultimo") << -1;
        QTest::newRow("plain letter before accented")
            << QByteArray("Perche") << QByteArray("Perch\xe9") << -1;
        QTest::newRow("accented letter before the next")
            << QByteArray("\xc8 tutto") << QByteArray("Fargo") << -1;
        QTest::newRow("prefix first") << QByteArray("Alien") << QByteArray("Aliens") << -1;
        QTest::newRow("capitals alone tie") << QByteArray("IL BUONO") << QByteArray("Il buono") << 0;
        QTest::newRow("blanks and punctuation alone tie")
            << QByteArray("L'amore.") << QByteArray("L amore") << 0;
    }
    void titlesStandInAReadersOrder()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        QFETCH(int, order);
        const int compared = AlphaBoard::compareTitles(Ansi::decode(first), Ansi::decode(second));
        QCOMPARE((compared > 0) - (compared < 0), order);
        QCOMPARE(AlphaBoard::titleLess(first, second), order < 0);
        QVERIFY(!AlphaBoard::titleLess(second, first));
    }

    void orderTest_data()
    {
        QTest::addColumn<QByteArrayList>("titles");
        QTest::addColumn<QVector<int>>("clicks");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("ordered");
        QTest::newRow("ascending, empty last") << letters("ABCDEFGHIJKLMNO") << QVector<int> {} << 14 << true;
        QTest::newRow("two swapped") << letters("ABCDEFGHIJKLMON") << QVector<int> {} << 13 << false;
        // Empty cell walked to cell 1: cells 2..15 ascend, cell 16 is smaller than cell 15.
        QTest::newRow("count 14 with the empty cell first")
            << letters("EBCDIFGHMJKLNOA") << QVector<int> {15, 14, 13, 9, 5, 1} << 14 << false;
    }
    void orderTest()
    {
        QFETCH(QByteArrayList, titles);
        QFETCH(QVector<int>, clicks);
        QFETCH(int, count);
        QFETCH(bool, ordered);
        AlphaBoard board(tilesOf(titles));
        for (int k : clicks)
            QVERIFY(board.move(k));
        QCOMPARE(board.orderCount(), count);
        QCOMPARE(board.isOrdered(), ordered);
    }
};

QTEST_GUILESS_MAIN(tst_AlphaBoard)
#include "tst_AlphaBoard.moc"
