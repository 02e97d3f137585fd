// The category selection screens as the player meets them: grids built from the profile and
// the Data folder, clicks that start play, the way back to the menu.

#include "TestSupport.h"
#include "ScreenSupport.h"
#include "profile/clsUser.h"
#include "select/CategorySelection.h"
#include "select/SelectionContent.h"
#include "shell/ClickableImage.h"
#include "shell/Screens.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace ScreenSupport;

namespace {
int countTitled(const QVector<Messages::Message> &shown, const QString &title)
{
    return int(std::count_if(shown.begin(), shown.end(), [&](const Messages::Message &m) { return m.title == title; }));
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
        auto *screen = qobject_cast<CategorySelection *>(visibleTopLevel(SelectionGrid::variant(gameType)->name));
        if (screen && !settled(screen))
            return nullptr;
        return screen;
    }

    // A click of the player on thumbnail i, where it lies on the screen.
    static void clickThumb(CategorySelection *screen, int index)
    {
        const QPoint centre = screen->variant().thumbPlace(index).center();
        QWidget *target = screen->childAt(centre);
        QVERIFY(target);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(screen, centre));
    }

    void removePack(int category) { QVERIFY(QFile::remove(mdlConst::packPath(category))); }

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

    void screensHaveTheirNamesCaptionsAndSizes_data()
    {
        QTest::addColumn<int>("gameType");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("thumbs");
        QTest::newRow("Classic") << int(mdlConst::Classic) << "frmClassic" << QSize(632, 323) << 9;
        QTest::newRow("Bonus") << int(mdlConst::Bonus) << "frmBonus" << QSize(425, 445) << 8;
        QTest::newRow("Puzzle") << int(mdlConst::Puzzle) << "frmPuzzle" << QSize(632, 118) << 3;
    }

    void screensHaveTheirNamesCaptionsAndSizes()
    {
        QFETCH(int, gameType);
        QFETCH(QString, name);
        QFETCH(QSize, client);
        QFETCH(int, thumbs);
        CategorySelection *screen = open(gameType);
        QVERIFY(screen);
        QCOMPARE(screen->objectName(), name);
        QCOMPARE(screen->windowTitle(), SelectionGrid::variant(gameType)->caption);
        QCOMPARE(screen->size(), client);
        QCOMPARE(screen->palette().color(QPalette::Window), QColor(244, 244, 244));
        QCOMPARE(screen->font().family(), QStringLiteral("Verdana"));
        QCOMPARE(screen->findChildren<ClickableImage *>(QRegularExpression(QStringLiteral("^imgCat_\\d+$"))).size(), thumbs);
        for (int i = 1; i <= thumbs; ++i) {
            QCOMPARE(screen->findChild<ClickableImage *>(QStringLiteral("imgCat_%1").arg(i)), screen->imgCat(i));
            QCOMPARE(screen->findChild<QLabel *>(QStringLiteral("lblCat_%1").arg(i)), screen->lblCat(i));
            QCOMPARE(screen->findChild<QFrame *>(QStringLiteral("Shape1_%1").arg(i - 1)), screen->Shape1(i - 1));
            QCOMPARE(screen->imgCat(i)->geometry(), screen->variant().thumbPlace(i));
            QCOMPARE(screen->Shape1(i - 1)->geometry(), screen->variant().thumbPlace(i));
            QCOMPARE(screen->lblCat(i)->geometry(), screen->variant().labelPlace(i));
            // The count lies over the thumbnail's lower right corner.
            QVERIFY(screen->imgCat(i)->geometry().contains(screen->lblCat(i)->geometry().center()));
        }
    }

    void newProfileOpensFourClassicCategories()
    {
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        const QVector<int> open = {1, 5, 7, 8};
        for (int i = 1; i <= 9; ++i) {
            const int state = open.contains(i) ? 1 : 0;
            QVERIFY2(screen->imgCat(i)->isEnabled() == (state == 1), qPrintable(QStringLiteral("thumbnail %1").arg(i)));
            QCOMPARE(screen->lblCat(i)->text(), QStringLiteral("0/%1").arg(SelectionContent::pictureCount(i)));
            QCOMPARE(SelectionContent::centreColour(screen->imgCat(i)->pixmap()),
                     SelectionContent::thumbColour(state, i));
        }
        QVERIFY2(m_messages->shown.isEmpty(), qPrintable(m_messages->lastText()));
        QVERIFY2(!QFile::exists(m_game->path(QStringLiteral("Temp/thumb.tmp"))), "the thumbnail file is left behind");
    }

    void wonCategoryStaysClickableWithItsWonThumbnail()
    {
        objUser.setCategorie(1, 2);
        for (int n = 1; n <= 9; ++n)
            objUser.setItem(n, 1);
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        QVERIFY(screen->imgCat(1)->isEnabled());
        QCOMPARE(screen->lblCat(1)->text(), QStringLiteral("9/9"));
        QCOMPARE(SelectionContent::centreColour(screen->imgCat(1)->pixmap()), SelectionContent::thumbColour(2, 1));

        clickThumb(screen, 1);
        QCOMPARE(objUser.curcat, 1);
        QVERIFY(screen->isHidden());
        QVERIFY(visibleTopLevel(QStringLiteral("frmPlayClassic")));
    }

    void lockedThumbnailTakesNoClick()
    {
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        objUser.curcat = 0;
        clickThumb(screen, 2);
        QCOMPARE(objUser.curcat, 0);
        QVERIFY(screen->isVisible());
        QVERIFY(!visibleTopLevel(QStringLiteral("frmPlayClassic")));
    }

    void missingPackDisablesOpenCategoriesOnly_data()
    {
        QTest::addColumn<QVector<int>>("removed");
        QTest::addColumn<QVector<int>>("disabledOpen");
        QTest::newRow("none") << QVector<int>{} << QVector<int>{};
        QTest::newRow("one open") << QVector<int>{5} << QVector<int>{5};
        QTest::newRow("two open") << QVector<int>{1, 8} << QVector<int>{1, 8};
        QTest::newRow("one locked") << QVector<int>{2} << QVector<int>{};
        QTest::newRow("open and locked") << QVector<int>{7, 9} << QVector<int>{7};
    }

    void missingPackDisablesOpenCategoriesOnly()
    {
        QFETCH(QVector<int>, removed);
        QFETCH(QVector<int>, disabledOpen);
        for (int c : removed)
            removePack(c);
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        for (int c : {1, 5, 7, 8})
            QCOMPARE(screen->imgCat(c)->isEnabled(), !disabledOpen.contains(c));
        // One message per build, however many packs are missing; none for locked categories.
        QCOMPARE(m_messages->shown.size(), disabledOpen.isEmpty() ? 0 : 1);
        if (!disabledOpen.isEmpty()) {
            QCOMPARE(m_messages->shown.first().title, QStringLiteral("File Mancanti"));
            QCOMPARE(m_messages->shown.first().text, SelectionGrid::missingFilesText());
            QCOMPARE(m_messages->shown.first().kind, Messages::Kind::Warning);
        }
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

    // The Puzzle screen builds its grid on loading and again on its first activation; the
    // player is told about missing packs once.
    void puzzleReportsMissingPackOnceOnFirstDisplay()
    {
        objUser.setCategorie(18, 1);
        removePack(18);
        CategorySelection *screen = open(mdlConst::Puzzle);
        QVERIFY(screen);
        QVERIFY(!screen->imgCat(1)->isEnabled());
        QCOMPARE(countTitled(m_messages->shown, QStringLiteral("File Mancanti")), 1);
    }

    void puzzleBuildsItsGridOnLoadingAlready()
    {
        objUser.setCategorie(20, 1);
        auto *screen = new frmPuzzle;
        screen->load();
        QVERIFY(screen->imgCat(3)->isEnabled());
        QCOMPARE(screen->lblCat(3)->text(), QStringLiteral("0/3"));
        screen->hide();
        screen->close();
    }

    void classicAndBonusBuildTheirGridOnceShown()
    {
        auto *screen = new frmBonus;
        screen->load();
        QVERIFY(screen->lblCat(1)->text().isEmpty());
        QVERIFY(settled(screen));
        QCOMPARE(screen->lblCat(1)->text(), QStringLiteral("0/3"));
        screen->hide();
        screen->close();
    }

    void missingThumbnailPackShowsPlaceholdersAndTellsOnce()
    {
        QVERIFY(QFile::remove(m_game->path(QStringLiteral("Data/B000.lvd"))));
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        for (int i = 1; i <= 9; ++i) {
            QVERIFY(!screen->imgCat(i)->pixmap().isNull());
            QCOMPARE(screen->imgCat(i)->pixmap().size(), QSize(200, 100));
            QCOMPARE(screen->lblCat(i)->text(), QStringLiteral("0/%1").arg(SelectionContent::pictureCount(i)));
        }
        // Open categories lost their thumbnails but can still be played; locked ones kept theirs.
        QVERIFY(SelectionContent::centreColour(screen->imgCat(1)->pixmap()) != SelectionContent::thumbColour(1, 1));
        QVERIFY(screen->imgCat(1)->isEnabled());
        QCOMPARE(SelectionContent::centreColour(screen->imgCat(2)->pixmap()), SelectionContent::thumbColour(0, 2));
        QCOMPARE(m_messages->shown.size(), 1);
        QVERIFY2(m_messages->lastText().contains(QStringLiteral("B000")), qPrintable(m_messages->lastText()));
        QVERIFY(!QFile::exists(m_game->path(QStringLiteral("Temp/thumb.tmp"))));
    }

    void unreadableThumbnailShowsPlaceholder()
    {
        // A thumbnail pack whose bytes are no picture at all.
        QFile pack(m_game->path(QStringLiteral("Data/B000.lvd")));
        QVERIFY(pack.open(QIODevice::ReadWrite));
        pack.seek(mdlConst::PackHeaderSize);
        pack.write(QByteArray(int(pack.size() - mdlConst::PackHeaderSize), 'x'));
        pack.close();
        CategorySelection *screen = open(mdlConst::Classic);
        QVERIFY(screen);
        QVERIFY(!screen->imgCat(5)->pixmap().isNull());
        QVERIFY(SelectionContent::centreColour(screen->imgCat(5)->pixmap()) != SelectionContent::thumbColour(1, 5));
        QCOMPARE(m_messages->shown.size(), 1);
        QVERIFY(m_messages->lastText().contains(mdlGeneral::GetCatName(1)));
    }

    void thumbnailIndexPlaysItsCategory_data()
    {
        QTest::addColumn<int>("gameType");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("category");
        QTest::newRow("Classic 5") << int(mdlConst::Classic) << 5 << 5;
        QTest::newRow("Bonus 3") << int(mdlConst::Bonus) << 3 << 12;
        QTest::newRow("Bonus 8") << int(mdlConst::Bonus) << 8 << 17;
        QTest::newRow("Puzzle 2") << int(mdlConst::Puzzle) << 2 << 19;
    }

    void thumbnailIndexPlaysItsCategory()
    {
        QFETCH(int, gameType);
        QFETCH(int, index);
        QFETCH(int, category);
        objUser.setCategorie(category, 1);
        CategorySelection *screen = open(gameType);
        QVERIFY(screen);
        QVERIFY(screen->imgCat(index)->isEnabled());
        int curcatAtHandOver = -1;
        bool hiddenAtHandOver = false;
        Messages::setHandler([&](const Messages::Message &message) {
            m_messages->shown.append(message);
            curcatAtHandOver = objUser.curcat;
            hiddenAtHandOver = screen->isHidden();
            return true;
        });
        clickThumb(screen, index);
        QCOMPARE(objUser.curcat, category);
        if (gameType == mdlConst::Classic) {
            QVERIFY(screen->isHidden());
            QVERIFY(visibleTopLevel(QStringLiteral("frmPlayClassic")));
        } else {
            // No play screen for this game type yet: the player is told and the grid comes back.
            QCOMPARE(curcatAtHandOver, category);
            QVERIFY(screen->isVisible());
            QCOMPARE(m_messages->shown.size(), 1);
            QVERIFY(!hiddenAtHandOver);
        }
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

    void closingReturnsToOneMenuAndKeepsTheGameRunning_data()
    {
        QTest::addColumn<int>("gameType");
        QTest::newRow("Classic") << int(mdlConst::Classic);
        QTest::newRow("Bonus") << int(mdlConst::Bonus);
        QTest::newRow("Puzzle") << int(mdlConst::Puzzle);
    }

    void closingReturnsToOneMenuAndKeepsTheGameRunning()
    {
        QFETCH(int, gameType);
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        CategorySelection *screen = open(gameType);
        QVERIFY(screen);
        QPointer<CategorySelection> watched(screen);
        QVERIFY(screen->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(watched.isNull());
        QWidget *menu = visibleTopLevel(QStringLiteral("frmMain"));
        QVERIFY2(menu, "the menu did not come back");
        QCOMPARE(countTopLevels(QStringLiteral("frmMain")), 1);
        QCOMPARE(lastClosed.count(), 0);

        // The next choice of the same game type makes a new screen.
        Screens::showSelection(gameType);
        QVERIFY(visibleTopLevel(SelectionGrid::variant(gameType)->name));
    }
};

QTEST_MAIN(tst_CategorySelection)
#include "tst_CategorySelection.moc"
