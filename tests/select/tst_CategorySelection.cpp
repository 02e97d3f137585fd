// The category selection screens as the player meets them: grids built from the profile and
// the Data folder, clicks that start play, the way back to the menu.

#include "ScreenSupport.h"
#include "TestSupport.h"
#include "content/ContentFiles.h"
#include "profile/Profile.h"
#include "select/CategorySelection.h"
#include "select/SelectionContent.h"
#include "widgets/ClickableImage.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace ScreenSupport;

class tst_CategorySelection : public QObject
{
    Q_OBJECT

    std::unique_ptr<SelectionContent::Player> m_player;
    GameFolderFixture *m_game = nullptr;
    MessageRecorder *m_messages = nullptr;

    // Opens a selection screen and waits until it has built its grid.
    CategorySelection *open(int gameType)
    {
        CategorySelection *screen = nullptr;
        if (gameType == Game::Classic)
            screen = new ClassicSelection(m_game->profile());
        else if (gameType == Game::Bonus)
            screen = new BonusSelection(m_game->profile());
        else
            screen = new PuzzleSelection(m_game->profile());
        screen->open();
        return settled(screen) ? screen : nullptr;
    }
    // Back from play: the screen shows again and is activated, as the navigator does.
    static bool comeBack(CategorySelection *screen)
    {
        screen->hide();
        screen->show();
        screen->activateWindow();
        return settled(screen);
    }

    static ClickableImage *imgCat(QWidget *screen, int index)
    {
        return screen->findChild<ClickableImage *>(QStringLiteral("imgCat_%1").arg(index));
    }
    static QLabel *lblCat(QWidget *screen, int index)
    {
        return screen->findChild<QLabel *>(QStringLiteral("lblCat_%1").arg(index));
    }

    void removePack(int category) { QVERIFY(QFile::remove(ContentFiles::packPath(category))); }

private slots:
    void initTestCase()
    {
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    }

    void init()
    {
        m_player = std::make_unique<SelectionContent::Player>();
        QVERIFY(m_player->loggedIn);
        m_game = &m_player->game;
        m_messages = &m_player->messages;
    }

    void cleanup()
    {
        closeEveryWindow();
        m_player.reset();
    }

    // A new profile opens four Classic categories; a won one stays clickable with its won thumbnail.
    void gridFollowsTheProfile()
    {
        m_game->profile().setCategoryState(1, Game::CategoryState(2));
        for (int n = 1; n <= 9; ++n)
            m_game->profile().setSolvedFlag(n, 1);
        CategorySelection *screen = open(Game::Classic);
        QVERIFY(screen);
        const QVector<int> open = {5, 7, 8};
        for (int i = 1; i <= 9; ++i) {
            const int state = i == 1 ? 2 : open.contains(i) ? 1 : 0;
            QVERIFY2(imgCat(screen, i)->isEnabled() == (state > 0),
                     qPrintable(QStringLiteral("thumbnail %1").arg(i)));
            QCOMPARE(lblCat(screen, i)->text(),
                     QStringLiteral("%1/%2").arg(i == 1 ? 9 : 0).arg(SelectionContent::pictureCount(i)));
            QCOMPARE(SelectionContent::centreColour(imgCat(screen, i)->pixmap()),
                     SelectionContent::thumbColour(state, i));
        }
        QVERIFY2(m_messages->shown.isEmpty(), qPrintable(m_messages->lastText()));
        QVERIFY2(!QFile::exists(m_game->path(QStringLiteral("Temp/thumb.tmp"))),
                 "the thumbnail file is left behind");
    }

    // A missing pack disables its open category only, and is told again at the next activation only.
    void missingPackIsReportedAgainAtTheNextActivationOnly()
    {
        removePack(9); // locked: nothing to tell
        CategorySelection *screen = open(Game::Classic);
        QVERIFY(screen);
        QVERIFY(m_messages->shown.isEmpty());
        removePack(5);

        // Another window of the game taking the activation and giving it back, as a message box
        // does, rebuilds nothing.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        screen->activateWindow();
        QVERIFY(settled(screen));
        QVERIFY(imgCat(screen, 5)->isEnabled());
        QCOMPARE(m_messages->shown.size(), 0);
        other.hide();

        // Coming back from play does.
        QVERIFY(comeBack(screen));
        for (int c : {1, 5, 7, 8})
            QCOMPARE(imgCat(screen, c)->isEnabled(), c != 5);
        QCOMPARE(m_messages->shown.size(), 1);
        QCOMPARE(m_messages->shown.first().title, QStringLiteral("File Mancanti"));

        QVERIFY(comeBack(screen));
        QCOMPARE(m_messages->shown.size(), 2);
    }

    void missingThumbnailPackShowsPlaceholdersAndTellsOnce()
    {
        QVERIFY(QFile::remove(m_game->path(QStringLiteral("Data/B000.lvd"))));
        CategorySelection *screen = open(Game::Classic);
        QVERIFY(screen);
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(imgCat(screen, i)->pixmap().size(), QSize(200, 100));
        // Open categories lost their thumbnails but can still be played; locked ones kept theirs.
        QVERIFY(SelectionContent::centreColour(imgCat(screen, 1)->pixmap())
                != SelectionContent::thumbColour(1, 1));
        QVERIFY(imgCat(screen, 1)->isEnabled());
        QCOMPARE(SelectionContent::centreColour(imgCat(screen, 2)->pixmap()),
                 SelectionContent::thumbColour(0, 2));
        QCOMPARE(m_messages->shown.size(), 1);
        QVERIFY2(m_messages->lastText().contains(QStringLiteral("B000")), qPrintable(m_messages->lastText()));
        QVERIFY(!QFile::exists(m_game->path(QStringLiteral("Temp/thumb.tmp"))));
    }

    // A click where the thumbnail lies chooses its category; a locked one chooses nothing.
    void thumbnailIndexChoosesItsCategory()
    {
        // Puzzle's second thumbnail is category 19, its third 20.
        const int index = 2, category = 19;
        m_game->profile().setCategoryState(category, Game::CategoryState(1));
        CategorySelection *screen = open(Game::Puzzle);
        QVERIFY(screen);
        QSignalSpy chosen(screen, &GameScreen::categoryChosen);
        const SelectionGrid::Variant &puzzle = *SelectionGrid::variant(Game::Puzzle);
        QVERIFY(clickAt(screen, puzzle.thumbPlace(3).center()));
        QVERIFY(clickAt(screen, puzzle.thumbPlace(index).center()));
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first(), (QVariantList {int(Game::Puzzle), category}));
        QVERIFY2(m_messages->shown.isEmpty(), qPrintable(m_messages->lastText()));
    }

    // Rows lie the same distance apart, and so do columns.
    void gridIsEvenlySpaced_data()
    {
        QTest::addColumn<int>("gameType");
        QTest::newRow("Classic") << int(Game::Classic);
        QTest::newRow("Bonus") << int(Game::Bonus);
        QTest::newRow("Puzzle") << int(Game::Puzzle);
    }
    void gridIsEvenlySpaced()
    {
        QFETCH(int, gameType);
        const SelectionGrid::Variant &grid = *SelectionGrid::variant(gameType);
        QSet<int> rowGaps, columnGaps;
        for (int i = 1; i <= grid.count(); ++i) {
            const QRect place = grid.thumbPlace(i);
            if (i + grid.columns <= grid.count())
                rowGaps.insert(grid.thumbPlace(i + grid.columns).top() - place.bottom());
            if (i % grid.columns != 0)
                columnGaps.insert(grid.thumbPlace(i + 1).left() - place.right());
        }
        QVERIFY2(
            rowGaps.size() <= 1 && columnGaps.size() == 1,
            qPrintable(
                QStringLiteral("%1 row gaps, %2 column gaps").arg(rowGaps.size()).arg(columnGaps.size())));
        QVERIFY(grid.thumbPlace(grid.count()).bottom() < grid.clientSize().height());
    }

    // The keyboard reaches the categories that can be played: the first has the focus, Tab goes
    // round them in reading order, an arrow to the nearest one that way, Enter chooses as a click
    // does, and Escape closes the screen from a thumbnail.
    void keyboardReachesThePlayableCategories()
    {
        m_game->profile().setCategoryState(1, Game::CategoryState::Won);
        removePack(7);
        CategorySelection *screen = open(Game::Classic);
        QVERIFY(screen);
        QCOMPARE(m_messages->shown.size(), 1); // the missing pack
        const auto focused = [] { return QApplication::focusWidget()->objectName().mid(7).toInt(); };
        const auto press = [](int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); };
        QVector<int> seen;
        for (int i = 0; i < 4; ++i) {
            seen.append(focused());
            press(Qt::Key_Tab);
        }
        QCOMPARE(seen, (QVector<int> {1, 5, 8, 1}));
        const QVector<std::pair<int, int>> arrows
            = {{Qt::Key_Left, 1}, {Qt::Key_Right, 5}, {Qt::Key_Down, 8},
               {Qt::Key_Up, 5},   {Qt::Key_Down, 8},  {Qt::Key_Left, 1}};
        for (const auto &[key, category] : arrows) {
            press(key);
            QCOMPARE(focused(), category);
        }
        QSignalSpy chosen(screen, &GameScreen::categoryChosen);
        QSignalSpy closed(screen, &GameScreen::closed);
        press(Qt::Key_Return);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first(), (QVariantList {int(Game::Classic), 1}));
        press(Qt::Key_Escape);
        QCOMPARE(closed.count(), 1);
    }
};

QTEST_MAIN(tst_CategorySelection)
#include "tst_CategorySelection.moc"
