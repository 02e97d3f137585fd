// The category selection screens as the player meets them: grids built from the profile and
// the Data folder, clicks that start play, the way back to the menu.

#include "ScreenSupport.h"
#include "TestSupport.h"
#include "content/ContentFiles.h"
#include "profile/clsUser.h"
#include "select/CategorySelection.h"
#include "select/SelectionContent.h"
#include "shell/Screens.h"
#include "shell/Startup.h"
#include "widgets/ClickableImage.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

using namespace ScreenSupport;

class tst_CategorySelection : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;
    MessageRecorder *m_messages = nullptr;

    // Opens a selection screen the way the menu does and waits until it has built its grid.
    CategorySelection *open(int gameType)
    {
        Screens::showSelection(gameType);
        auto *screen
            = qobject_cast<CategorySelection *>(visibleTopLevel(SelectionGrid::variant(gameType)->name));
        if (screen && !settled(screen))
            return nullptr;
        return screen;
    }

    // A click of the player on thumbnail i, where it lies on the screen.
    static void clickThumb(CategorySelection *screen, int index)
    {
        QVERIFY(ScreenSupport::clickAt(screen, screen->variant().thumbPlace(index).center()));
    }

    void removePack(int category) { QVERIFY(QFile::remove(ContentFiles::packPath(category))); }

private slots:
    void initTestCase()
    {
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    }

    void init()
    {
        m_game = new GameFolderFixture;
        SelectionContent::write(*m_game);
        QVERIFY(SelectionContent::newPlayer(objUser));
        m_messages = new MessageRecorder(true);
    }

    void cleanup()
    {
        closeEveryWindow();
        delete m_messages;
        delete m_game;
    }

    // A new profile opens four Classic categories; a won one stays clickable with its won thumbnail.
    void gridFollowsTheProfile()
    {
        objUser.setCategorie(1, mdlConst::CategoryState(2));
        for (int n = 1; n <= 9; ++n)
            objUser.setItem(n, 1);
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        const QVector<int> open = {5, 7, 8};
        for (int i = 1; i <= 9; ++i) {
            const int state = i == 1 ? 2 : open.contains(i) ? 1 : 0;
            QVERIFY2(screen->imgCat(i)->isEnabled() == (state > 0),
                     qPrintable(QStringLiteral("thumbnail %1").arg(i)));
            QCOMPARE(screen->lblCat(i)->text(),
                     QStringLiteral("%1/%2").arg(i == 1 ? 9 : 0).arg(SelectionContent::pictureCount(i)));
            QCOMPARE(SelectionContent::centreColour(screen->imgCat(i)->pixmap()),
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
        CategorySelection *screen = open(mdlConst::Classic);
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
        QVERIFY(screen->imgCat(5)->isEnabled());
        QCOMPARE(m_messages->shown.size(), 0);
        other.hide();

        // Coming back from play does.
        screen->hide();
        Screens::returnFromPlay(mdlConst::Classic);
        QVERIFY(settled(screen));
        for (int c : {1, 5, 7, 8})
            QCOMPARE(screen->imgCat(c)->isEnabled(), c != 5);
        QCOMPARE(m_messages->shown.size(), 1);
        QCOMPARE(m_messages->shown.first().title, QStringLiteral("File Mancanti"));

        screen->hide();
        Screens::returnFromPlay(mdlConst::Classic);
        QVERIFY(settled(screen));
        QCOMPARE(m_messages->shown.size(), 2);
    }

    void missingThumbnailPackShowsPlaceholdersAndTellsOnce()
    {
        QVERIFY(QFile::remove(m_game->path(QStringLiteral("Data/B000.lvd"))));
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(screen->imgCat(i)->pixmap().size(), QSize(200, 100));
        // Open categories lost their thumbnails but can still be played; locked ones kept theirs.
        QVERIFY(SelectionContent::centreColour(screen->imgCat(1)->pixmap())
                != SelectionContent::thumbColour(1, 1));
        QVERIFY(screen->imgCat(1)->isEnabled());
        QCOMPARE(SelectionContent::centreColour(screen->imgCat(2)->pixmap()),
                 SelectionContent::thumbColour(0, 2));
        QCOMPARE(m_messages->shown.size(), 1);
        QVERIFY2(m_messages->lastText().contains(QStringLiteral("B000")), qPrintable(m_messages->lastText()));
        QVERIFY(!QFile::exists(m_game->path(QStringLiteral("Temp/thumb.tmp"))));
    }

    // A click on a thumbnail plays its category; back from play, one selection screen shows again.
    void thumbnailIndexPlaysItsCategory()
    {
        // Puzzle's second thumbnail is category 19 (Classic's and Bonus's are walked end to end).
        const int index = 2, category = 19;
        objUser.setCategorie(category, mdlConst::CategoryState(1));
        CategorySelection *screen = open(mdlConst::Puzzle);
        QVERIFY(screen);
        QVERIFY(screen->imgCat(index)->isEnabled());
        clickThumb(screen, index);
        QCOMPARE(objUser.curcat, category);
        QVERIFY(screen->isHidden());
        QWidget *playScreen = visibleTopLevel(QStringLiteral("frmPlayPuzzle"));
        QVERIFY(playScreen);
        QVERIFY2(m_messages->shown.isEmpty(), qPrintable(m_messages->lastText()));
        playScreen->close();
        QVERIFY(settled(screen));
        QCOMPARE(countTopLevels(screen->objectName()), 1);
    }
};

QTEST_MAIN(tst_CategorySelection)
#include "tst_CategorySelection.moc"
