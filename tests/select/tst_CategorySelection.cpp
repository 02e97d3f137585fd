// The category selection screens as the player meets them: grids built from the profile and
// the Data folder, clicks that start play, the way back to the menu.

#include "ScreenSupport.h"
#include "TestSupport.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "profile/Profile.h"
#include "select/CategorySelection.h"
#include "select/SelectionContent.h"
#include "widgets/ClickableImage.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

using namespace ScreenSupport;

namespace {
// The share of a picture's pixels in a clear colour rather than a grey.
double colourfulShare(const QImage &picture)
{
    int colourful = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            colourful += picture.pixelColor(x, y).hsvSaturation() > 60;
    return double(colourful) / (picture.width() * picture.height());
}
} // namespace

class tst_CategorySelection : public QObject
{
    Q_OBJECT

    std::unique_ptr<GameFolderFixture> m_game;
    std::unique_ptr<ExpectedMessages> m_messages;

    // Opens a selection screen and waits until it has built its grid.
    CategorySelection *open(int gameType)
    {
        auto *screen = new CategorySelection(*SelectionGrid::variant(gameType), m_game->profile());
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
        m_game = std::make_unique<GameFolderFixture>();
        SelectionContent::write(*m_game);
        QVERIFY(m_game->logIn(QStringLiteral("Mario")));
        m_messages = std::make_unique<ExpectedMessages>();
    }

    void cleanup()
    {
        closeEveryWindow();
        QVERIFY2(m_messages->missing().isEmpty(), qPrintable(m_messages->missing()));
        m_messages.reset();
        m_game.reset();
    }

    // A new profile opens four Classic categories; a won one stays clickable with its won thumbnail.
    // Without the pack of open thumbnails, the open categories show a stand-in, told once, and can
    // still be played.
    void gridFollowsTheProfile()
    {
        m_game->profile().setCategoryState(1, Game::CategoryState(2));
        for (int n = 1; n <= 9; ++n)
            m_game->profile().setSolvedFlag(n, 1);
        QVERIFY(QFile::remove(m_game->path(QStringLiteral("Data/B000.lvd"))));
        m_messages->expect(QStringLiteral("B000"));
        CategorySelection *screen = open(Game::Classic);
        QVERIFY(screen);
        const QVector<int> open = {5, 7, 8};
        for (int i = 1; i <= 9; ++i) {
            const int state = i == 1 ? 2 : open.contains(i) ? 1 : 0;
            QVERIFY2(imgCat(screen, i)->isEnabled() == (state > 0),
                     qPrintable(QStringLiteral("thumbnail %1").arg(i)));
            QCOMPARE(lblCat(screen, i)->text(),
                     QStringLiteral("%1/%2").arg(i == 1 ? 9 : 0).arg(SelectionContent::pictureCount(i)));
            QCOMPARE(SelectionContent::centreColour(imgCat(screen, i)->pixmap())
                         == SelectionContent::thumbColour(state, i),
                     state != 1);
        }
        QVERIFY(!QFile::exists(m_game->path(QStringLiteral("Temp/thumb.tmp"))));
    }

    // The window, a thumbnail and its count where the layout puts them, in twips fifteen to a pixel.
    void screensStandAsLaidOutInTwips_data()
    {
        QTest::addColumn<int>("gameType");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<int>("index");
        QTest::addColumn<QPoint>("thumb");
        QTest::addColumn<QPoint>("count"); // its offset from the thumbnail's corner
        QTest::addColumn<int>("countWidth");
        QTest::newRow("Classic 9") << int(Game::Classic) << QSize(632, 323) << 9 << QPoint(424, 216)
                                   << QPoint(136, 80) << 57;
        QTest::newRow("Bonus 5") << int(Game::Bonus) << QSize(425, 445) << 5 << QPoint(8, 224)
                                 << QPoint(120, 80) << 73;
        QTest::newRow("Bonus 8") << int(Game::Bonus) << QSize(425, 445) << 8 << QPoint(216, 336)
                                 << QPoint(120, 80) << 73;
    }
    void screensStandAsLaidOutInTwips()
    {
        QFETCH(int, gameType);
        QFETCH(QSize, client);
        QFETCH(int, index);
        QFETCH(QPoint, thumb);
        QFETCH(QPoint, count);
        QFETCH(int, countWidth);
        CategorySelection *screen = open(gameType);
        QVERIFY(screen);
        QCOMPARE(screen->size(), client);
        QCOMPARE(imgCat(screen, index)->geometry(), QRect(thumb, QSize(200, 100)));
        QCOMPARE(lblCat(screen, index)->geometry(), QRect(thumb + count, QSize(countWidth, 17)));
    }

    // Tab goes round the categories that can be played, in reading order; Enter chooses as a click.
    // A missing pack disables its open category only, and is told again at the next activation only.
    void missingPackIsReportedAgainAtTheNextActivationOnly()
    {
        removePack(9); // locked: nothing to tell
        CategorySelection *screen = open(Game::Classic);
        QVERIFY(screen);
        QVector<int> seen;
        for (int i = 0; i < 5; ++i) {
            seen.append(QApplication::focusWidget()->objectName().mid(7).toInt());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(seen, (QVector<int> {1, 5, 7, 8, 1}));
        QSignalSpy chosen(screen, &GameScreen::categoryChosen);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.first(), (QVariantList {int(Game::Classic), 5}));
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
        other.hide();

        // Coming back from play does.
        m_messages->expect(SelectionGrid::missingFilesText());
        QVERIFY(comeBack(screen));
        for (int c : {1, 5, 7, 8})
            QCOMPARE(imgCat(screen, c)->isEnabled(), c != 5);
        QCOMPARE(m_messages->shown.last().title, QStringLiteral("File Mancanti"));
        m_messages->expect(SelectionGrid::missingFilesText());
        QVERIFY(comeBack(screen));
    }

    // The game's own content: every open category is drawn in colour, every locked one in grey, so
    // that an open category never looks locked.
    void demoThumbnailsTellOpenFromLocked()
    {
        for (const QString &pack : {QStringLiteral("A000"), QStringLiteral("B000")})
            for (const QString &suffix : {QStringLiteral(".lvd"), QStringLiteral(".lvx")}) {
                const QString file = m_game->path(QStringLiteral("Data/") + pack + suffix);
                QVERIFY(QFile::remove(file)
                        && QFile::copy(QStringLiteral(LUMIVO_DEMO_DATA "/") + pack + suffix, file));
            }
        for (int c = 1; c <= Game::CategoryCount; ++c) {
            for (const bool locked : {true, false}) {
                const Result<QString> thumb = extractThumb(c, Game::CategoryState(locked ? 0 : 1));
                const double share = thumb ? colourfulShare(QImage(*thumb)) : -1;
                QVERIFY2(locked ? share >= 0 && share < 0.005 : share > 0.02,
                         qPrintable(QStringLiteral("category %1 (locked: %2): %3 in colour")
                                        .arg(c)
                                        .arg(locked)
                                        .arg(share)));
            }
        }
    }
};

QTEST_MAIN(tst_CategorySelection)
#include "tst_CategorySelection.moc"
