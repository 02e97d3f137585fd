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
        QTest::newRow("Classic 1") << int(mdlConst::Classic) << 1 << 1;
        QTest::newRow("Classic 9") << int(mdlConst::Classic) << 9 << 9;
        QTest::newRow("Bonus 1") << int(mdlConst::Bonus) << 1 << 10;
        QTest::newRow("Bonus 3") << int(mdlConst::Bonus) << 3 << 12;
        QTest::newRow("Bonus 8") << int(mdlConst::Bonus) << 8 << 17;
        QTest::newRow("Puzzle 1") << int(mdlConst::Puzzle) << 1 << 18;
        QTest::newRow("Puzzle 2") << int(mdlConst::Puzzle) << 2 << 19;
        QTest::newRow("Puzzle 3") << int(mdlConst::Puzzle) << 3 << 20;
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

    void eachScreenCoversItsGameTypesCategories_data()
    {
        QTest::addColumn<int>("gameType");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::addColumn<bool>("readsOnLoad");
        QTest::newRow("Classic") << int(mdlConst::Classic) << "frmClassic" << "Classic" << 1 << 9 << false;
        QTest::newRow("Bonus") << int(mdlConst::Bonus) << "frmBonus" << "Bonus" << 10 << 17 << false;
        QTest::newRow("Puzzle") << int(mdlConst::Puzzle) << "frmPuzzle" << "Puzzle" << 18 << 20 << true;
    }

    void eachScreenCoversItsGameTypesCategories()
    {
        QFETCH(int, gameType);
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, first);
        QFETCH(int, last);
        QFETCH(bool, readsOnLoad);
        const Variant *screen = variant(gameType);
        QVERIFY(screen);
        QCOMPARE(screen->name, name);
        QCOMPARE(screen->caption, caption);
        QCOMPARE(screen->gameType, gameType);
        QCOMPARE(screen->category(1), first);
        QCOMPARE(screen->category(screen->count()), last);
        QCOMPARE(screen->readsOnLoad, readsOnLoad);
    }

    void alphaHasNoSelectionScreen()
    {
        QVERIFY(!variant(mdlConst::Alpha));
        QVERIFY(!variant(0));
    }

    // Places in pixels at 15 twips a pixel.
    void thumbnailsAndLabelsLieWhereTheLayoutPutsThem_data()
    {
        QTest::addColumn<int>("gameType");
        QTest::addColumn<int>("index");
        QTest::addColumn<QRect>("thumb");
        QTest::addColumn<QRect>("label");
        QTest::addColumn<QSize>("client");
        QTest::newRow("Classic 1") << int(mdlConst::Classic) << 1 << QRect(8, 8, 200, 100) << QRect(144, 88, 57, 17) << QSize(632, 323);
        QTest::newRow("Classic 3") << int(mdlConst::Classic) << 3 << QRect(424, 8, 200, 100) << QRect(560, 88, 57, 17) << QSize(632, 323);
        QTest::newRow("Classic 5") << int(mdlConst::Classic) << 5 << QRect(216, 112, 200, 100) << QRect(352, 192, 57, 17) << QSize(632, 323);
        QTest::newRow("Classic 9") << int(mdlConst::Classic) << 9 << QRect(424, 216, 200, 100) << QRect(560, 296, 57, 17) << QSize(632, 323);
        QTest::newRow("Bonus 2") << int(mdlConst::Bonus) << 2 << QRect(216, 8, 200, 100) << QRect(336, 88, 73, 17) << QSize(425, 445);
        QTest::newRow("Bonus 3") << int(mdlConst::Bonus) << 3 << QRect(8, 120, 200, 100) << QRect(128, 200, 73, 17) << QSize(425, 445);
        QTest::newRow("Bonus 8") << int(mdlConst::Bonus) << 8 << QRect(216, 336, 200, 100) << QRect(336, 416, 73, 17) << QSize(425, 445);
        QTest::newRow("Puzzle 3") << int(mdlConst::Puzzle) << 3 << QRect(424, 8, 200, 100) << QRect(544, 88, 73, 17) << QSize(632, 118);
    }

    void thumbnailsAndLabelsLieWhereTheLayoutPutsThem()
    {
        QFETCH(int, gameType);
        QFETCH(int, index);
        QFETCH(QRect, thumb);
        QFETCH(QRect, label);
        QFETCH(QSize, client);
        const Variant *screen = variant(gameType);
        QCOMPARE(screen->thumbPlace(index), thumb);
        QCOMPARE(screen->labelPlace(index), label);
        QCOMPARE(screen->clientSize(), client);
        QVERIFY2(QRect(QPoint(0, 0), client).contains(thumb), "a thumbnail leaves the window");
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
        QTest::newRow("5 open") << 5 << 1 << true;
        QTest::newRow("7 open") << 7 << 1 << true;
        QTest::newRow("8 open") << 8 << 1 << true;
        QTest::newRow("9 locked") << 9 << 0 << false;
        QTest::newRow("12 locked") << 12 << 0 << false;
        QTest::newRow("20 locked") << 20 << 0 << false;
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

    void missingFilesTextIsTheThreePiecesInOrder()
    {
        QCOMPARE(missingFilesText(),
                 QStringLiteral("Alcune categorie, sebbene attivate, non possono essere giocate perchè non è presente "
                                "il rispettivo file; per giocarle tornare alla finestra precedente e cliccare la "
                                "scritta Lumivo Pro (Aggiornamenti) e scaricare il gruppo desiderato."));
        QCOMPARE(MissingFilesTitle, QStringLiteral("File Mancanti"));
    }
};

QTEST_GUILESS_MAIN(tst_SelectionGrid)
#include "tst_SelectionGrid.moc"
