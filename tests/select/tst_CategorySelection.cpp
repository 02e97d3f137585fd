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

namespace {
int countTitled(const QVector<Messages::Message> &shown, const QString &title)
{
    return int(std::count_if(shown.begin(), shown.end(),
                             [&](const Messages::Message &m) { return m.title == title; }));
}
} // namespace

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

    void newProfileOpensFourClassicCategories()
    {
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        const QVector<int> open = {1, 5, 7, 8};
        for (int i = 1; i <= 9; ++i) {
            const int state = open.contains(i) ? 1 : 0;
            QVERIFY2(screen->imgCat(i)->isEnabled() == (state == 1),
                     qPrintable(QStringLiteral("thumbnail %1").arg(i)));
            QCOMPARE(screen->lblCat(i)->text(),
                     QStringLiteral("0/%1").arg(SelectionContent::pictureCount(i)));
            QCOMPARE(SelectionContent::centreColour(screen->imgCat(i)->pixmap()),
                     SelectionContent::thumbColour(state, i));
        }
        QVERIFY2(m_messages->shown.isEmpty(), qPrintable(m_messages->lastText()));
        QVERIFY2(!QFile::exists(m_game->path(QStringLiteral("Temp/thumb.tmp"))),
                 "the thumbnail file is left behind");
    }

    void wonCategoryStaysClickableWithItsWonThumbnail()
    {
        objUser.setCategorie(1, mdlConst::CategoryState(2));
        for (int n = 1; n <= 9; ++n)
            objUser.setItem(n, 1);
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        QVERIFY(screen->imgCat(1)->isEnabled());
        QCOMPARE(screen->lblCat(1)->text(), QStringLiteral("9/9"));
        QCOMPARE(SelectionContent::centreColour(screen->imgCat(1)->pixmap()),
                 SelectionContent::thumbColour(2, 1));

        clickThumb(screen, 1);
        QCOMPARE(objUser.curcat, 1);
        QVERIFY(screen->isHidden());
        QVERIFY(visibleTopLevel(QStringLiteral("frmPlayClassic")));
    }

    void missingPackDisablesOpenCategoriesOnly()
    {
        removePack(7);
        removePack(9); // locked: nothing to tell
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        for (int c : {1, 5, 7, 8})
            QCOMPARE(screen->imgCat(c)->isEnabled(), c != 7);
        QCOMPARE(m_messages->shown.size(), 1);
        QCOMPARE(m_messages->shown.first().title, QStringLiteral("File Mancanti"));
        QCOMPARE(m_messages->shown.first().text, SelectionGrid::missingFilesText());
    }

    void missingPackIsReportedAgainAtTheNextActivationOnly()
    {
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
        QVERIFY(!screen->imgCat(5)->isEnabled());
        QCOMPARE(countTitled(m_messages->shown, QStringLiteral("File Mancanti")), 1);

        screen->hide();
        Screens::returnFromPlay(mdlConst::Classic);
        QVERIFY(settled(screen));
        QCOMPARE(countTitled(m_messages->shown, QStringLiteral("File Mancanti")), 2);
    }

    void missingThumbnailPackShowsPlaceholdersAndTellsOnce()
    {
        QVERIFY(QFile::remove(m_game->path(QStringLiteral("Data/B000.lvd"))));
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        for (int i = 1; i <= 9; ++i) {
            QVERIFY(!screen->imgCat(i)->pixmap().isNull());
            QCOMPARE(screen->imgCat(i)->pixmap().size(), QSize(200, 100));
            QCOMPARE(screen->lblCat(i)->text(),
                     QStringLiteral("0/%1").arg(SelectionContent::pictureCount(i)));
        }
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

    void thumbnailIndexPlaysItsCategory_data()
    {
        QTest::addColumn<int>("gameType");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("play");
        QTest::newRow("Bonus 3") << int(mdlConst::Bonus) << 3 << 12 << "frmPlayBonus";
        QTest::newRow("Puzzle 2") << int(mdlConst::Puzzle) << 2 << 19 << "frmPlayPuzzle";
    }

    void thumbnailIndexPlaysItsCategory()
    {
        QFETCH(int, gameType);
        QFETCH(int, index);
        QFETCH(int, category);
        QFETCH(QString, play);
        objUser.setCategorie(category, mdlConst::CategoryState(1));
        CategorySelection *screen = open(gameType);
        QVERIFY(screen);
        QVERIFY(screen->imgCat(index)->isEnabled());
        clickThumb(screen, index);
        QCOMPARE(objUser.curcat, category);
        QVERIFY(screen->isHidden());
        QVERIFY(visibleTopLevel(play));
        QVERIFY2(m_messages->shown.isEmpty(), qPrintable(m_messages->lastText()));
    }

    void solvedCountIsRefreshedAfterPlay()
    {
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        clickThumb(screen, 7);
        QWidget *play = visibleTopLevel(QStringLiteral("frmPlayClassic"));
        QVERIFY(play);
        const int base = 9 + 18 + 9 + 9 + 9 + 9; // categories 1 to 6
        objUser.setItem(base + 1, 1);
        objUser.setItem(base + 4, 1);
        play->close();
        QVERIFY(settled(screen));
        QCOMPARE(screen->lblCat(7)->text(), QStringLiteral("2/9"));
        QCOMPARE(countTopLevels(QStringLiteral("frmClassic")), 1);
    }
};

QTEST_MAIN(tst_CategorySelection)
#include "tst_CategorySelection.moc"
