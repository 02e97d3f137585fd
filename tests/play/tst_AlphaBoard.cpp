// The Alpha board: move rule, the order of titles, order test, arrow keys and solvable deals.

#include "content/Ansi.h"
#include "play/AlphaBoard.h"

#include <QRandomGenerator>
#include <QtTest>

#include <queue>
#include <unordered_map>

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

// Sixteen 4-bit cells packed into one number: 0 the empty cell, 1..15 the tile's rank.
using Packed = quint64;
int at(Packed s, int i)
{
    return int((s >> (4 * i)) & 0xF);
}
Packed put(Packed s, int i, int v)
{
    return (s & ~(Packed(0xF) << (4 * i))) | (Packed(v) << (4 * i));
}

int manhattan(Packed s)
{
    int h = 0;
    for (int i = 0; i < 16; ++i)
        if (const int v = at(s, i))
            h += qAbs(i / 4 - (v - 1) / 4) + qAbs(i % 4 - (v - 1) % 4);
    return h;
}

// Weighted best-first search from a packed board to the ascending one; the cells (from 1) to click.
QVector<int> solve(Packed start, int nodeLimit)
{
    Packed goal = 0;
    for (int i = 0; i < 15; ++i)
        goal = put(goal, i, i + 1);
    std::unordered_map<Packed, std::pair<Packed, int>> parent {{start, {start, 0}}}; // board before, click
    using Entry = std::pair<int, Packed>;                                            // priority, board
    std::priority_queue<Entry, std::vector<Entry>, std::greater<Entry>> open;
    open.push({0, start});
    while (!open.empty() && int(parent.size()) < nodeLimit) {
        const Packed s = open.top().second;
        open.pop();
        if (s == goal) {
            QVector<int> clicks;
            for (Packed cur = s; cur != start; cur = parent[cur].first)
                clicks.prepend(parent[cur].second);
            return clicks;
        }
        int e = 0;
        while (at(s, e) != 0)
            ++e;
        for (int k : {e - 4, e + 4, e % 4 != 0 ? e - 1 : -1, e % 4 != 3 ? e + 1 : -1}) {
            if (k < 0 || k > 15)
                continue;
            const Packed next = put(put(s, e, at(s, k)), k, 0);
            if (parent.emplace(next, std::make_pair(s, k + 1)).second)
                open.push({3 * manhattan(next), next});
        }
    }
    return {};
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
        const AlphaTile clicked = cell >= 1 && cell <= 16 ? board.cell(cell) : AlphaTile();
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
        QTest::newRow("capitals and small letters alike")
            << letters("AbCdEfGhIjKlMnO") << QVector<int> {} << 14 << true;
        QByteArrayList prefix = letters("ABCDEFGHIJKLMNO");
        prefix[14] = "NZ";
        prefix[13] = "N";
        QTest::newRow("prefix first") << prefix << QVector<int> {} << 14 << true;
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

    void arrowKeySlidesTheFarTile_data()
    {
        using D = AlphaBoard::Direction;
        QTest::addColumn<int>("empty");
        QTest::addColumn<AlphaBoard::Direction>("direction");
        QTest::addColumn<int>("cell");
        QTest::newRow("6 left") << 6 << D::Left << 7;
        QTest::newRow("16 right") << 16 << D::Right << 15;
        QTest::newRow("4 left") << 4 << D::Left << 0;
        QTest::newRow("5 right") << 5 << D::Right << 0;
    }
    void arrowKeySlidesTheFarTile()
    {
        QFETCH(int, empty);
        QFETCH(AlphaBoard::Direction, direction);
        QFETCH(int, cell);
        AlphaBoard board = boardWithEmptyAt(empty);
        QCOMPARE(board.cellForKey(direction), cell);
        if (cell != 0)
            QVERIFY(board.move(cell));
    }

    void everyMendedDealIsSolved()
    {
        QRandomGenerator random(11);
        // In the reader's order, which the parity of the mended deal must follow too.
        const QByteArrayList sorted
            = {"Alien", "Amadeus", "baby Boom", "Casablanca", "Dune",    "\xc8 tutto", "Fargo", "Heat",
               "Jaws",  "Psycho",  "Rocky",     "Seven",      "Tootsie", "Vertigo",    "Zelig"};
        QVector<AlphaTile> deal = tilesOf(sorted);
        for (int round = 0; round < 4; ++round) {
            std::shuffle(deal.begin(), deal.end(), random);
            makeSolvable(deal);
            Packed start = 0;
            for (int i = 0; i < 15; ++i)
                start = put(start, i, int(sorted.indexOf(deal[i].title)) + 1);
            const QVector<int> clicks = solve(start, 300000);
            QVERIFY2(!clicks.isEmpty(), qPrintable(QStringLiteral("deal %1 not solved").arg(round)));
            AlphaBoard board(deal);
            for (int k : clicks)
                QVERIFY(board.move(k));
            QVERIFY(board.isOrdered());
        }
    }
};

QTEST_GUILESS_MAIN(tst_AlphaBoard)
#include "tst_AlphaBoard.moc"
