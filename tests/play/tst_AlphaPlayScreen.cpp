// The Alpha screen driven as a player drives it: the panel, clicks and arrow keys on the board,
// the clock in the caption, the win, and the boards that cannot be dealt.

#include "PlayFixture.h"
#include "content/ContentFiles.h"
#include "play/AlphaPlayScreen.h"
#include "play/CategoryPlay.h"
#include "play/ClassicPlayScreen.h"
#include "play/StripPlayScreen.h"

#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using namespace ScreenSupport;

namespace {
constexpr int Rebus = 19;

// A click where the player's would land: on whatever lies on top at the control's centre.
void clickAt(QWidget *window, QWidget *target)
{
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      target->mapTo(window, target->rect().center()));
}

// The same pictures in title order with the empty cell last, then the tile of cell 12 slid
// down: a click on cell 16 completes the order.
AlphaBoard oneMoveFromOrder(const AlphaBoard &board)
{
    QVector<AlphaTile> tiles;
    for (int k = 1; k <= AlphaBoard::CellCount; ++k)
        if (board.cell(k).picture != 0)
            tiles.append(board.cell(k));
    std::sort(tiles.begin(), tiles.end(),
              [](const AlphaTile &a, const AlphaTile &b) { return AlphaBoard::titleLess(a.title, b.title); });
    AlphaBoard arranged(tiles);
    arranged.move(12);
    return arranged;
}
} // namespace

class tst_AlphaPlayScreen : public QObject
{
    Q_OBJECT

    std::unique_ptr<PlayFixture> m_content;

    void makeContent(const QVector<int> &counts = {20}) { m_content = std::make_unique<PlayFixture>(counts); }
    // The screen with the seams a test needs: a board arranged at will, the clock's tick.
    class Screen : public AlphaPlayScreen
    {
    public:
        using AlphaPlayScreen::AlphaPlayScreen;
        using AlphaPlayScreen::setBoard;
        using AlphaPlayScreen::tick;
    };

    Screen *open()
    {
        auto *screen = new Screen(m_content->profile());
        if (screen->open() && !QTest::qWaitForWindowActive(screen))
            qWarning("the Alpha screen did not become active");
        return screen;
    }
    Profile &profile() { return m_content->profile(); }

private slots:
    void initTestCase() { QApplication::setDoubleClickInterval(0); }

    void cleanup()
    {
        closeEveryWindow();
        m_content.reset();
    }

    void openingDealsFifteenInstalledPicturesAndOnlyNeighboursSlide()
    {
        makeContent({20, 0, 0, 0, 0, 0, 0, 0, 0, 30});
        Screen *screen = open();
        QVERIFY(infoPanel(screen)->isVisible());
        QVERIFY2(m_content->tempPictures().isEmpty(), qPrintable(m_content->tempPictures().join(' ')));
        QCOMPARE(screen->board().intEmpty(), 16);
        QVERIFY(!cellPicture(screen, 16)->isVisible());
        for (int k = 1; k <= 15; ++k) {
            const AlphaTile &tile = screen->board().cell(k);
            // Classic pictures only (category 10 follows the 20 of category 1), each its own.
            QVERIFY2(tile.picture >= 1 && tile.picture <= 20, qPrintable(QString::number(tile.picture)));
            QCOMPARE(tile.title, m_content->content.title(tile.picture));
            QVERIFY2(cellPicture(screen, k)->pixmap().toImage().pixel(5, 5)
                         == QImage::fromData(PlayFixture::picture(tile.picture)).pixel(5, 5),
                     qPrintable(QStringLiteral("cell %1 does not show picture %2").arg(k).arg(tile.picture)));
        }

        // Arrow keys slide the tile on their far side, a click only a tile next to the empty cell.
        const AlphaTile twelve = screen->board().cell(12);
        QTest::keyClick(screen, Qt::Key_Down);    // covered by the panel: nothing
        clickAt(screen, cellPicture(screen, 12)); // the panel's click, not the cell's
        QVERIFY(!infoPanel(screen)->isVisible());
        QCOMPARE(screen->board().intEmpty(), 16);

        clickAt(screen, cellPicture(screen, 1));
        QCOMPARE(screen->board().intEmpty(), 16);
        clickAt(screen, cellPicture(screen, 12));
        QCOMPARE(screen->board().intEmpty(), 12);
        QCOMPARE(screen->board().cell(16).picture, twelve.picture);
        QVERIFY(!cellPicture(screen, 12)->isVisible() && cellPicture(screen, 16)->isVisible());

        QTest::keyClick(screen, Qt::Key_Up);
        QCOMPARE(screen->board().intEmpty(), 16);
        QTest::keyClick(screen, Qt::Key_Left); // nothing right of the empty cell
        QCOMPARE(screen->board().intEmpty(), 16);
        QCOMPARE(screen->board().cell(12).picture, twelve.picture);
    }

    // The panel goes with a click on its text, Enter or Space, as on the other play screens.
    void theWinCompletesAlphaAndOpensRebusOnce_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("rebusBefore");
        QTest::addColumn<int>("key"); // that closes the panel; 0 for a click
        QTest::newRow("first win opens Rebus, Return") << 1 << 0 << int(Qt::Key_Return);
        QTest::newRow("first win opens Rebus, click") << 1 << 0 << 0;
        QTest::newRow("completed Alpha plays untimed, Space") << 2 << 1 << int(Qt::Key_Space);
    }
    void theWinCompletesAlphaAndOpensRebusOnce()
    {
        QFETCH(int, group);
        QFETCH(int, rebusBefore);
        QFETCH(int, key);
        makeContent();
        profile().setGameTypeState(Game::Alpha, Game::GameTypeState(group));
        profile().setCategoryState(Rebus, Game::CategoryState(rebusBefore));
        profile().setPlayTime(Game::Alpha, 500);
        Screen *screen = open();

        const bool timed = group == 1;
        if (key)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        else
            clickAt(screen, infoPanel(screen)->lblMessage());
        QVERIFY(!infoPanel(screen)->isVisible());
        QCOMPARE(timer(screen, "tmrTime")->isActive(), timed);
        QCOMPARE(profile().playTime(Game::Alpha), timed ? 0 : 500);
        for (int i = 0; i < 65; ++i)
            screen->tick();
        QCOMPARE(screen->windowTitle(), timed ? QStringLiteral("Alpha: 0:01:05") : QStringLiteral("Alpha"));
        const qint32 played = profile().playTime(Game::Alpha);
        QCOMPARE(played, timed ? 65 : 500);

        QVERIFY(screen->setBoard(oneMoveFromOrder(screen->board())));
        QVERIFY(!infoPanel(screen)->isVisible());
        clickAt(screen, cellPicture(screen, 16));
        QVERIFY(screen->board().isOrdered());
        QVERIFY(infoPanel(screen)->isVisible());
        QVERIFY(infoPanel(screen)->message().startsWith(CategoryPlay::winMessage()));
        QVERIFY(!timer(screen, "tmrTime")->isActive());
        QCOMPARE(qint16(profile().gameTypeState(Game::Alpha)), qint16(2));
        QCOMPARE(qint16(profile().categoryState(Rebus)), qint16(1));

        // Closing the winning panel starts no new attempt.
        clickAt(screen, infoPanel(screen));
        QVERIFY(!infoPanel(screen)->isVisible());
        screen->tick();
        QVERIFY(!timer(screen, "tmrTime")->isActive());
        QCOMPARE(profile().playTime(Game::Alpha), played);
    }

    // The instructions of every play screen: no word twice running, no apostrophe standing for the
    // accent of a one-letter word ("E'" for "È"), none of the misspellings they once had.
    void theInstructionsAreSpeltRight()
    {
        static const QRegularExpression wrong(
            QStringLiteral("\\b(\\w+)\\s+\\1\\b|\\b[aeiou]'\\s|alfabefico|categori "),
            QRegularExpression::UseUnicodePropertiesOption | QRegularExpression::CaseInsensitiveOption);
        for (const QString &text : {ClassicPlayScreen::instructions(), BonusPlayScreen::instructions(),
                                    PuzzlePlayScreen::instructions(), AlphaPlayScreen::instructions()})
            QVERIFY2(!wrong.match(text).hasMatch(), qPrintable(wrong.match(text).captured()));
    }

    void aBoardThatCannotBeDealtSendsThePlayerBackToTheMenu_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("expected");
        QTest::newRow("too few installed pictures") << "remove Data/0002.lvd"
                                                    << "ne hanno 12 e non bastano";
        QTest::newRow("one title for every picture") << "retitle Data/index.lvt"
                                                     << "tra le 18 installate";
        QTest::newRow("damaged pack") << "truncate Data/0001.lvd"
                                      << "Data/0001.lvd";
    }
    void aBoardThatCannotBeDealtSendsThePlayerBackToTheMenu()
    {
        QFETCH(QString, damage);
        QFETCH(QString, expected);
        makeContent({12, 6});
        const QString file = damage.section(' ', 1);
        if (damage.startsWith(QStringLiteral("remove")))
            QVERIFY(QFile::remove(m_content->game.path(file)));
        else if (damage.startsWith(QStringLiteral("retitle")))
            m_content->put(file, ContentFiles::titleRecord("Film").repeated(18));
        else
            m_content->put(file, QByteArray(PlayFixture::Header + 10, 'H'));

        QPointer<Screen> screen = new Screen(profile());
        QSignalSpy closed(screen.data(), &GameScreen::closed);
        ExpectedMessages messages;
        messages.expect(expected);
        QVERIFY(!screen->open());
        QVERIFY2(messages.missing().isEmpty(), qPrintable(messages.missing()));
        QCOMPARE(closed.count(), 1); // the navigator takes the player back to the menu
        QTRY_VERIFY(screen.isNull());
        QVERIFY2(m_content->tempPictures().isEmpty(), qPrintable(m_content->tempPictures().join(' ')));
    }
};

QTEST_MAIN(tst_AlphaPlayScreen)
#include "tst_AlphaPlayScreen.moc"
