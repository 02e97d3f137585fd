// The Alpha screen driven as a player drives it: the panel, clicks and arrow keys on the board,
// the clock in the caption, the win, and the boards that cannot be dealt. The board rules and the
// draw have their own window-free tests.

#include "PlayFixture.h"
#include "content/ContentFiles.h"
#include "play/AlphaPlayScreen.h"
#include "play/CategoryPlay.h"
#include "play/ClassicPlayScreen.h"
#include "play/StripPlayScreen.h"
#include "widgets/ClickableImage.h"
#include "widgets/InfoPanel.h"

#include <QApplication>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <algorithm>
#include <memory>

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
    std::unique_ptr<MessageRecorder> m_messages;

    void makeContent(const QVector<int> &counts = {20})
    {
        m_content = std::make_unique<PlayFixture>(counts);
        m_messages = std::make_unique<MessageRecorder>(true);
    }
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
        m_messages.reset();
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
            const QImage shown = cellPicture(screen, k)->pixmap().toImage();
            const QImage expected = QImage::fromData(PlayFixture::picture(tile.picture));
            QVERIFY2(shown.pixel(5, 5) == expected.pixel(5, 5),
                     qPrintable(QStringLiteral("cell %1 does not show picture %2").arg(k).arg(tile.picture)));
        }
        QVERIFY(m_messages->shown.isEmpty());

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
        QCOMPARE(screen->board().cell(12).picture, twelve.picture);
    }

    void theWinCompletesAlphaAndOpensRebusOnce_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("rebusBefore");
        QTest::addColumn<int>("rebusAfter");
        QTest::newRow("first win opens Rebus") << 1 << 0 << 1;
        QTest::newRow("completed Alpha plays untimed") << 2 << 1 << 1;
    }
    void theWinCompletesAlphaAndOpensRebusOnce()
    {
        QFETCH(int, group);
        QFETCH(int, rebusBefore);
        QFETCH(int, rebusAfter);
        makeContent();
        profile().setGameTypeState(Game::Alpha, Game::GameTypeState(group));
        profile().setCategoryState(Rebus, Game::CategoryState(rebusBefore));
        profile().setPlayTime(Game::Alpha, 500);
        Screen *screen = open();

        const bool timed = group == 1;
        clickAt(screen, infoPanel(screen)->lblMessage());
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
        QCOMPARE(qint16(profile().categoryState(Rebus)), qint16(rebusAfter));

        // Closing the winning panel starts no new attempt.
        clickAt(screen, infoPanel(screen));
        QVERIFY(!infoPanel(screen)->isVisible());
        screen->tick();
        QVERIFY(!timer(screen, "tmrTime")->isActive());
        QCOMPARE(profile().playTime(Game::Alpha), played);
        QVERIFY(m_messages->shown.isEmpty());
    }

    // The instructions of every play screen: no word twice running, no apostrophe standing for the
    // accent of a one-letter word ("E'" for "È"), none of the misspellings they once had.
    void theInstructionsAreSpeltRight_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("Classic") << ClassicPlayScreen::instructions();
        QTest::newRow("Bonus") << BonusPlayScreen::instructions();
        QTest::newRow("Puzzle") << PuzzlePlayScreen::instructions();
        QTest::newRow("Alpha") << AlphaPlayScreen::instructions();
    }
    void theInstructionsAreSpeltRight()
    {
        QFETCH(QString, text);
        static const QRegularExpression doubled(QStringLiteral("\\b(\\w+)\\s+\\1\\b"),
                                                QRegularExpression::UseUnicodePropertiesOption
                                                    | QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression accentAsApostrophe(QStringLiteral("\\b[AEIOUaeiou]'\\s"));
        QVERIFY2(!doubled.match(text).hasMatch(), qPrintable(doubled.match(text).captured()));
        QVERIFY2(!accentAsApostrophe.match(text).hasMatch(),
                 qPrintable(accentAsApostrophe.match(text).captured()));
        for (const char *wrong : {"alfabefico", "categori "})
            QVERIFY2(!text.contains(QLatin1String(wrong)), wrong);
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
            QVERIFY(QFile::remove(m_content->path(file)));
        else if (damage.startsWith(QStringLiteral("retitle")))
            m_content->put(file, ContentFiles::titleRecord("Film").repeated(18));
        else
            m_content->put(file, QByteArray(PlayFixture::Header + 10, 'H'));

        QPointer<Screen> screen = new Screen(profile());
        QSignalSpy closed(screen.data(), &GameScreen::closed);
        QVERIFY(!screen->open());
        QCOMPARE(m_messages->shown.size(), 1);
        QVERIFY2(m_messages->lastText().contains(expected), qPrintable(m_messages->lastText()));
        QCOMPARE(closed.count(), 1); // the navigator takes the player back to the menu
        QTRY_VERIFY(screen.isNull());
        QVERIFY2(m_content->tempPictures().isEmpty(), qPrintable(m_content->tempPictures().join(' ')));
    }
};

QTEST_MAIN(tst_AlphaPlayScreen)
#include "tst_AlphaPlayScreen.moc"
