// The Bonus and Puzzle play screens driven as a player drives them: the arrows, the panel, Tab,
// typing, F1, the win, the time slot of each, and the categories they cannot show.

#include "PlayFixture.h"
#include "play/CategoryPlay.h"
#include "play/StripMath.h"
#include "play/StripPlayScreen.h"

#include <QPointer>
#include <QScrollBar>
#include <QtTest>

namespace {
constexpr int Animali = 10; // Bonus, 24 pictures
constexpr int Missing = 18; // Puzzle, 11 pictures
const QVector<int> Counts = {0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 11};

// A click where the player's would land: on whatever lies on top at the control's centre.
void clickAt(QWidget *window, const char *name)
{
    QVERIFY2(ScreenSupport::clickPlaceOf(window, QLatin1String(name)), name);
}
} // namespace

class tst_StripPlayScreen : public QObject
{
    Q_OBJECT

    std::unique_ptr<PlayFixture> m_content;

    // The categories of the test open, as the unlock stages would have left them.
    void makeContent(const QVector<int> &counts)
    {
        m_content.reset();
        m_content = std::make_unique<PlayFixture>(counts);
        for (int category : {Animali, Missing})
            QVERIFY(m_content->profile().setCategoryState(category, Game::CategoryState(1)));
    }

    PlayScreen *open(int gameType, int category)
    {
        PlayScreen *screen
            = gameType == Game::Bonus
                  ? static_cast<PlayScreen *>(new BonusPlayScreen(m_content->profile(), category))
                  : new PuzzlePlayScreen(m_content->profile(), category);
        return screen->open() && ScreenSupport::settled(screen) ? screen : nullptr;
    }

    static QScrollBar *hsMain(QWidget *screen) { return screen->findChild<QScrollBar *>("hsMain"); }
    static QWidget *picHost(QWidget *screen) { return screen->findChild<QWidget *>("picHost"); }

private slots:
    void initTestCase()
    {
        QApplication::setDoubleClickInterval(0);
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    }

    void init() { makeContent(Counts); }

    void cleanup()
    {
        ScreenSupport::closeEveryWindow();
        m_content.reset();
    }

    void eachVariantWalksItsStripAndCountsItsOwnTime_data()
    {
        QTest::addColumn<int>("gameType");
        QTest::addColumn<int>("category");
        QTest::addColumn<QString>("time"); // after one tick: Bonus had 100 s, Puzzle 200 s
        QTest::newRow("Bonus") << int(Game::Bonus) << Animali << "0:01:41";
        QTest::newRow("Puzzle") << int(Game::Puzzle) << Missing << "0:03:21";
    }
    void eachVariantWalksItsStripAndCountsItsOwnTime()
    {
        QFETCH(int, gameType);
        QFETCH(int, category);
        QFETCH(QString, time);
        m_content->profile().setPlayTime(Game::Bonus, 100);
        m_content->profile().setPlayTime(Game::Puzzle, 200);
        m_content->solve(category, 1, 1);
        PlayScreen *screen = open(gameType, category);
        QVERIFY(screen);
        QVERIFY2(m_content->tempPictures().isEmpty(), qPrintable(m_content->tempPictures().join(' ')));

        // The panel puts the caret in box one, solved or not.
        titleBox(screen, 2)->setFocus();
        clickAt(screen, "lblMessage");
        QVERIFY(!infoPanel(screen)->isVisible());
        QTRY_VERIFY(titleBox(screen, 1)->hasFocus());
        QVERIFY(timer(screen, "tmrTime")->isActive());
        clickAt(screen, "imgBack"); // covered at the start
        QCOMPARE(hsMain(screen)->value(), 0);
        QVERIFY(shown(screen, "imgBackMask"));
        clickAt(screen, "imgNext");
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("4 - 6"));
        QVERIFY(!shown(screen, "imgBackMask"));
        QVERIFY(titleBox(screen, 1)->hasFocus()); // the arrows leave the caret where it is
        for (int step = 0; step < 10 && !shown(screen, "imgNextMask"); ++step)
            clickAt(screen, "imgNext");
        clickAt(screen, "imgNext"); // covered at the end
        QCOMPARE(hsMain(screen)->value(), hsMain(screen)->maximum());
        QCOMPARE(picHost(screen)->x(), -hsMain(screen)->maximum());
        const int n = int(picHost(screen)->findChildren<TitleBox *>().size());
        QVERIFY(text(screen, "lblPos").endsWith(QStringLiteral(" %1").arg(n)));

        // F1: each tick swaps every code's text colour, white to black and back, first cell to last.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        for (const QColor colour : {QColor(Qt::white), QColor(Qt::black), QColor(Qt::white)}) {
            for (int k : {1, n})
                QVERIFY(codeLabel(screen, k)->isVisible()
                        && codeLabel(screen, k)->palette().color(QPalette::WindowText) == colour);
            screen->blink();
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QVERIFY(!codeLabel(screen, n)->isVisible() && !timer(screen, "tmrIndex")->isActive());

        screen->tick();
        QCOMPARE(text(screen, "lblTime"), time);
        QCOMPARE(m_content->profile().playTime(Game::Bonus) + m_content->profile().playTime(Game::Puzzle),
                 301);
    }

    // Titles typed with Tab between them are all taken, each box brought into view as Tab reaches
    // it; the caret stays in each solved box, where a title's final "." falls harmlessly. The Puzzle
    // win opens the next stage (Vestiti among it).
    void titlesTypedWithTabBetweenThemWinTheCategory()
    {
        for (int c : {1, 2, 3, 5, 6, 7, 8, 9, 10, 13, 14, 15, 16, 17})
            QVERIFY(m_content->profile().setCategoryState(c, Game::CategoryState(2)));
        PlayScreen *screen = open(Game::Puzzle, Missing);
        QVERIFY(screen);
        const int base = m_content->content.base(Missing);
        clickAt(screen, "fraInfo");
        QTRY_VERIFY(titleBox(screen, 1)->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab); // round to the last box
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("9 - 11"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        for (int k = 1; k <= 11; ++k) {
            const int left = picHost(screen)->x() + StripMath::cellLeft(k);
            QVERIFY2(titleBox(screen, k)->hasFocus() && left >= 0
                         && left + StripMath::TitleWidth <= screen->width(),
                     qPrintable(QStringLiteral("box %1 at %2").arg(k).arg(left)));
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("film %1.").arg(base + k));
            QVERIFY(titleBox(screen, k)->isSolved() && titleBox(screen, k)->hasFocus());
            QCOMPARE(titleBox(screen, k)->text(), QStringLiteral("Film %1").arg(base + k));
            if (k < 11)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }

        QCOMPARE(text(screen, "lblRisolti"), QStringLiteral("11/11"));
        QCOMPARE(qint16(m_content->profile().categoryState(Missing)), qint16(2));
        QVERIFY(infoPanel(screen)->isVisible());
        QCOMPARE(infoPanel(screen)->message(),
                 CategoryPlay::winMessage()
                     + QStringLiteral("\n\nHai sbloccato le categorie Commedia, Bambini, Barbie e Vestiti."));
        QVERIFY(!timer(screen, "tmrTime")->isActive());
        for (int opened : {4, 11, 12, 20})
            QVERIFY2(qint16(m_content->profile().categoryState(opened)) == 1,
                     qPrintable(QString::number(opened)));
    }

    // A picture near the strip's start is found damaged before the screen shows; one farther along
    // as it comes near the view, even when the scroll comes before the rest of the strip is made.
    void aCategoryThatCannotBeShownGoesBackUntouched_data()
    {
        QTest::addColumn<int>("picture"); // the one garbled; none in a category of 158 pictures
        QTest::addColumn<QString>("expected");
        QTest::newRow("158 pictures") << 0 << "al massimo 157";
        QTest::newRow("picture near the start") << 4 << "10000004";
        QTest::newRow("picture far along the strip") << 20 << "10000020";
    }
    void aCategoryThatCannotBeShownGoesBackUntouched()
    {
        QFETCH(int, picture);
        QFETCH(QString, expected);
        if (picture == 0) {
            QVector<int> counts = Counts;
            counts[Animali - 1] = 158;
            makeContent(counts);
        } else {
            QByteArray bytes = m_content->read(QStringLiteral("Data/0010.lvd"));
            int start = PlayFixture::Header;
            for (int p = 1; p < picture; ++p)
                start += int(m_content->content.picture(p).size());
            bytes.replace(start, 16, QByteArray(16, '\0'));
            m_content->put(QStringLiteral("Data/0010.lvd"), bytes);
        }
        const QByteArray profile = m_content->read(QStringLiteral("User/Mario.lmp"));
        ExpectedMessages messages;
        messages.expect(expected);

        QPointer<BonusPlayScreen> screen = new BonusPlayScreen(m_content->profile(), Animali);
        if (picture > StripMath::nearCells(StripMath::ScrollMin, 24).last) {
            QVERIFY(screen->open());
            QCOMPARE(messages.missing(), expected);
            hsMain(screen)->setValue(hsMain(screen)->maximum());
        } else {
            QVERIFY(!screen->open());
        }
        QVERIFY2(messages.missing().isEmpty(), qPrintable(messages.missing()));
        QTRY_VERIFY(screen.isNull());
        QCOMPARE(m_content->read(QStringLiteral("User/Mario.lmp")), profile);
        QVERIFY(m_content->tempPictures().isEmpty());
    }
};

QTEST_MAIN(tst_StripPlayScreen)
#include "tst_StripPlayScreen.moc"
