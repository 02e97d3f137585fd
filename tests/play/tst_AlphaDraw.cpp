// The draw of the fifteen Alpha pictures: distinct pictures, refused titles, bounded, solvable.

#include "play/AlphaDraw.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

// Titles by picture number; numbers without a title read as the empty title.
struct Content {
    QVector<int> numbers;
    QHash<int, QByteArray> titles;
    QVector<int> asked; // the numbers whose title was read, in order

    QByteArray title(int n)
    {
        asked.append(n);
        return titles.value(n);
    }
    std::optional<QVector<AlphaTile>> draw(QRandomGenerator &random)
    {
        asked.clear();
        return AlphaDraw::draw(numbers, std::bind(&Content::title, this, std::placeholders::_1), random);
    }
};

Content content(int count)
{
    Content c;
    for (int n = 1; n <= count; ++n) {
        c.numbers.append(n);
        c.titles.insert(n, "Film " + QByteArray::number(n) + ".");
    }
    return c;
}

int inversions(const QVector<AlphaTile> &tiles)
{
    int count = 0;
    for (int i = 0; i < tiles.size(); ++i)
        for (int j = i + 1; j < tiles.size(); ++j)
            count += AlphaBoard::titleLess(tiles[j].title, tiles[i].title);
    return count;
}

} // namespace

class tst_AlphaDraw : public QObject
{
    Q_OBJECT

private slots:
    // Fifteen candidates, one of them perhaps retitled: a draw refuses an empty title and one equal
    // to a drawn one in the reader's order, which could not tell which of the two comes first.
    void smallContent_data()
    {
        QTest::addColumn<int>("retitled"); // the picture given `title`; none when 0
        QTest::addColumn<QByteArray>("title");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("exactly 15") << 0 << QByteArray() << true;
        QTest::newRow("one empty title") << 7 << QByteArray() << false;
        QTest::newRow("two differing in capitals and punctuation alone")
            << 2 << QByteArray("FILM 1") << false;
    }
    void smallContent()
    {
        QFETCH(int, retitled);
        QFETCH(QByteArray, title);
        QFETCH(bool, drawn);
        Content c = content(15);
        if (retitled)
            c.titles[retitled] = title;
        QRandomGenerator random(3);
        for (int round = 0; round < 20; ++round) {
            const auto result = c.draw(random);
            QCOMPARE(result.has_value(), drawn);
            QVERIFY2(c.asked.size() <= c.numbers.size(), "a candidate was tried twice");
            if (drawn)
                QCOMPARE(result->size(), 15);
        }
    }

    // A title found inside one drawn before it is refused: "Alien" after "Aliens", not before.
    void drawsAreDistinctSolvableAndDiffer()
    {
        // Every number twice; 12 and 123 are both drawn, one inside the other.
        Content c = content(14);
        c.titles.insert(123, "Film 123.");
        c.titles.insert(101, "Aliens");
        c.titles.insert(102, "Alien");
        c.numbers << 123 << 101 << 102;
        c.numbers += c.numbers;
        QRandomGenerator random(5);
        QVector<int> previous;
        int orders = 0; // 1: "Aliens" asked first, 2: "Alien" asked first
        for (int round = 0; round < 100; ++round) {
            const auto result = c.draw(random);
            QVERIFY(result);
            QVERIFY2(inversions(*result) % 2 == 0, "an unsolvable board was drawn");
            QVector<int> numbers;
            for (const AlphaTile &tile : *result) {
                QCOMPARE(tile.title, c.titles.value(tile.picture));
                numbers.append(tile.picture);
            }
            QCOMPARE(QSet<int>(numbers.begin(), numbers.end()).size(), 15);
            QVERIFY2(numbers != previous, "the same board drawn twice running");
            previous = numbers;
            const int aliens = int(c.asked.indexOf(101)), alien = int(c.asked.indexOf(102));
            if (alien >= 0 && aliens >= 0)
                orders |= aliens < alien ? 1 : 2;
            if (alien >= 0)
                QCOMPARE(numbers.contains(102), aliens < 0 || alien < aliens);
        }
        QCOMPARE(orders, 3);
    }
};

QTEST_GUILESS_MAIN(tst_AlphaDraw)
#include "tst_AlphaDraw.moc"
