// What the selection screens show, worked out without windows: layouts and category entries.

#include "TestSupport.h"
#include "profile/clsUser.h"
#include "select/SelectionGrid.h"

#include <QtTest>

using namespace SelectionGrid;

class tst_SelectionGrid : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;
    clsUser m_user;

    void touchPack(int category)
    {
        QFile file(mdlConst::packPath(category));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void init()
    {
        m_game = new GameFolderFixture;
        QVector<qint16> counts;
        for (int c = 1; c <= 20; ++c)
            counts.append(qint16(c <= 9 ? 9 * c : c));
        m_game->setCounts(counts);
        MessageRecorder answers(true);
        QVERIFY(m_user.Login(QStringLiteral("Mario"), QStringLiteral("pw")));
    }

    void cleanup() { delete m_game; }

    void thumbnailIndexGivesTheCategory_data()
    {
        QTest::addColumn<int>("gameType");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("category");
        QTest::newRow("Classic 9") << int(mdlConst::Classic) << 9 << 9;
        QTest::newRow("Bonus 3") << int(mdlConst::Bonus) << 3 << 12;
        QTest::newRow("Puzzle 2") << int(mdlConst::Puzzle) << 2 << 19;
    }

    void thumbnailIndexGivesTheCategory()
    {
        QFETCH(int, gameType);
        QFETCH(int, index);
        QFETCH(int, category);
        const Variant *screen = variant(gameType);
        QVERIFY(screen);
        QCOMPARE(screen->category(index), category);
        QCOMPARE(screen->index(category), index);
        QVERIFY(index <= screen->count());
    }

    void indexOutsideTheGridHasNoPlace()
    {
        const Variant *screen = variant(mdlConst::Puzzle);
        QVERIFY(screen->thumbPlace(0).isNull());
        QVERIFY(screen->thumbPlace(4).isNull());
        QVERIFY(screen->labelPlace(4).isNull());
    }

    void newProfileEntriesFollowTheCategoryStates_data()
    {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("clickable");
        QTest::newRow("1 open") << 1 << 1 << true;
        QTest::newRow("2 locked") << 2 << 0 << false;
        QTest::newRow("12 locked") << 12 << 0 << false;
    }

    void newProfileEntriesFollowTheCategoryStates()
    {
        QFETCH(int, category);
        QFETCH(int, state);
        QFETCH(bool, clickable);
        for (int c = 1; c <= 20; ++c)
            touchPack(c);
        const CategoryEntry entry = readCategory(m_user, category);
        QCOMPARE(entry.category, category);
        QCOMPARE(int(entry.state), state);
        QCOMPARE(entry.clickable(), clickable);
        QVERIFY(!entry.packMissing());
        QCOMPARE(entry.caption(), QStringLiteral("0/%1").arg(mdlGeneral::GetCatCount(category)));
    }

    void captionCountsTheSolvedPictures()
    {
        touchPack(2);
        m_user.setCategorie(2, 2);
        const int base = mdlGeneral::GetCatCount(1);
        for (int p = 1; p <= 12; ++p)
            m_user.setItem(base + p, 1);
        const CategoryEntry entry = readCategory(m_user, 2);
        QCOMPARE(entry.caption(), QStringLiteral("12/18"));
        QVERIFY2(entry.clickable(), "a won category stays clickable");
    }

    void missingPackMattersOnlyForOpenAndWonCategories_data()
    {
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("missing");
        QTest::newRow("locked") << 0 << false;
        QTest::newRow("open") << 1 << true;
        QTest::newRow("won") << 2 << true;
    }

    void missingPackMattersOnlyForOpenAndWonCategories()
    {
        QFETCH(int, state);
        QFETCH(bool, missing);
        m_user.setCategorie(4, qint16(state));
        const CategoryEntry entry = readCategory(m_user, 4);
        QCOMPARE(entry.packMissing(), missing);
        QVERIFY(!entry.clickable());
        touchPack(4);
        QCOMPARE(readCategory(m_user, 4).clickable(), state > 0);
    }
};

QTEST_GUILESS_MAIN(tst_SelectionGrid)
#include "tst_SelectionGrid.moc"
