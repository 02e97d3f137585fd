// The counts index, the category table's bounds and the numbering of pictures across categories,
// and the shifted text form of names and titles.

#include "TestSupport.h"
#include "TinyContent.h"
#include "content/Ansi.h"

#include <QtTest>

class tst_CategoryTable : public QObject
{
    Q_OBJECT

private slots:
    void countsComeFromTheIndexOrAreZero()
    {
        GameFolderFixture game;
        CategoryTable table;
        // Record 1 whole, record 2 cut after its count.
        TinyContent::put(game, QStringLiteral("Data/index.lvs"),
                         QByteArray("\x12\x00\xAA\xBB\xCC\x24\x00", 7));
        QVERIFY(table.load());
        // Counts of categories 1, 2, 3 and 21, the base of 3, the genre of pictures 19 and 55.
        QCOMPARE((QVector<int> {table.count(1), table.count(2), table.count(3), table.count(21),
                                table.itemBase(3), table.genreCategoryOf(19), table.genreCategoryOf(55)}),
                 (QVector<int> {18, 36, 0, 0, 54, 2, 0}));
        QCOMPARE(CategoryTable::name(0), QString());

        // Without a Data folder nothing is loaded, and no folder is made.
        QVERIFY(QDir(game.path(QStringLiteral("Data"))).removeRecursively());
        const Result<> missing = table.load();
        QVERIFY(!missing && missing.problem().contains(QStringLiteral("Data")));
        QVERIFY(!QDir(game.path(QStringLiteral("Data"))).exists());
    }

    void shiftingGivesTheTextBackAndRefusesCodesThatCannotShift()
    {
        const QByteArray stored("\xE9!qfsdi\xEA");
        QCOMPARE(Ansi::shiftedUp(Ansi::encode(QStringLiteral("è perché"))), stored);
        QCOMPARE(Ansi::decode(*Ansi::shiftedDown(stored)), QStringLiteral("è perché"));
        QVERIFY(!Ansi::shiftedUp(Ansi::encode(QStringLiteral("ÿ"))));
        QVERIFY(!Ansi::shiftedDown(QByteArray("a\0b", 3)));
    }
};

QTEST_GUILESS_MAIN(tst_CategoryTable)
#include "tst_CategoryTable.moc"
