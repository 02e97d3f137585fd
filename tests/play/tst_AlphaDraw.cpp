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

    AlphaDraw::TitleLookup lookup()
    {
        return [this](int n) {
            asked.append(n);
            return titles.value(n);
        };
    }
};

Content content(int count, int first = 1)
{
    Content c;
    for (int n = first; n < first + count; ++n) {
        c.numbers.append(n);
        c.titles.insert(n, "Film " + QByteArray::number(n) + ".");
    }
    return c;
}

using IntTitles = QMap<int, QByteArray>;

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
    void smallContent_data()
    {
        QTest::addColumn<int>("extra"); // candidates beyond the first 15 numbered 1..15
        QTest::addColumn<IntTitles>("retitled");
        QTest::addColumn<bool>("drawn");
        QTest::newRow("exactly 15") << 0 << IntTitles {} << true;
        QTest::newRow("15 with one repeated title") << 0 << IntTitles {{2, "Film 1."}} << false;
        QTest::newRow("15 with one empty title") << 0 << IntTitles {{7, ""}} << false;
        // Equal in the reader's order, which could not tell which of the two comes first.
        QTest::newRow("15, two differing in capitals and punctuation alone")
            << 0 << IntTitles {{2, "FILM 1"}} << false;
        QTest::newRow("fewer than 15") << -1 << IntTitles {} << false;
    }
    void smallContent()
    {
        QFETCH(int, extra);
        QFETCH(IntTitles, retitled);
        QFETCH(bool, drawn);
        Content c = content(15 + extra);
        for (auto it = retitled.cbegin(); it != retitled.cend(); ++it)
            c.titles[it.key()] = it.value();
        QRandomGenerator random(3);
        for (int round = 0; round < 20; ++round) {
            c.asked.clear();
            const auto result = AlphaDraw::draw(c.numbers, c.lookup(), random);
            QCOMPARE(result.has_value(), drawn);
            QVERIFY2(c.asked.size() <= c.numbers.size(), "a candidate was tried twice");
            if (drawn)
                QCOMPARE(result->size(), 15);
        }
    }

    void drawsAreDistinctSolvableAndDiffer()
    {
        // Every number twice; 12 and 123 are both drawn, one inside the other.
        Content c = content(14);
        c.titles.insert(123, "Film 123.");
        c.numbers.append(123);
        c.numbers += c.numbers;
        QRandomGenerator random(5);
        QVector<int> previous;
        for (int round = 0; round < 100; ++round) {
            const auto result = AlphaDraw::draw(c.numbers, c.lookup(), random);
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
        }
    }

    void titleInsideAnEarlierTitleIsRefused()
    {
        Content c = content(14);
        c.titles.insert(101, "Aliens");
        c.titles.insert(102, "Alien");
        c.numbers << 101 << 102;
        QRandomGenerator random(9);
        bool longFirst = false, shortFirst = false;
        for (int round = 0; round < 200 && !(longFirst && shortFirst); ++round) {
            c.asked.clear();
            const auto result = AlphaDraw::draw(c.numbers, c.lookup(), random);
            QVERIFY(result);
            const int aliens = int(c.asked.indexOf(101)), alien = int(c.asked.indexOf(102));
            if (aliens < 0 || alien < 0)
                continue;
            const bool alienDrawn = std::any_of(result->begin(), result->end(),
                                                [](const AlphaTile &t) { return t.picture == 102; });
            if (aliens < alien) {
                longFirst = true;
                QVERIFY2(!alienDrawn, "\"Alien\" drawn after \"Aliens\"");
            } else {
                shortFirst = true;
                QVERIFY2(alienDrawn, "\"Alien\" refused though drawn first");
            }
        }
        QVERIFY(longFirst && shortFirst);
    }
};

QTEST_GUILESS_MAIN(tst_AlphaDraw)
#include "tst_AlphaDraw.moc"
