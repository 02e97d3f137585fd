// The Bonus and Puzzle play screens driven as a player drives them: the arrows, the panel, Tab,
// typing, the win. The strip's arithmetic has its own window-free test; this one checks that the
// screen is wired to it, counts time in its own slot and refuses categories it cannot show.

#include "PlayFixture.h"
#include "play/CategoryPlay.h"
#include "play/StripMath.h"
#include "play/StripPlayScreen.h"
#include "play/TitleBox.h"
#include "widgets/InfoPanel.h"

#include <QApplication>
#include <QPointer>
#include <QScrollBar>
#include <QtTest>
#include <memory>

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

    // The Bonus screen with the seam a test needs: a page list loaded again.
    class Bonus : public BonusPlayScreen
    {
    public:
        using BonusPlayScreen::BonusPlayScreen;
        using BonusPlayScreen::loadStrip;
    };

    PlayScreen *open(int gameType, int category)
    {
        PlayScreen *screen
            = gameType == Game::Bonus
                  ? static_cast<PlayScreen *>(new BonusPlayScreen(m_content->profile(), category))
                  : new PuzzlePlayScreen(m_content->profile(), category);
        if (!screen->open())
            return nullptr;
        if (!ScreenSupport::settled(screen))
            qWarning("the play screen did not become active");
        return screen;
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
        // Screens the test left open go without handing over to another screen.
        for (QWidget *window : QApplication::topLevelWidgets())
            delete window;
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
        for (int step = 0; step < 10 && !shown(screen, "imgNextMask"); ++step)
            clickAt(screen, "imgNext");
        clickAt(screen, "imgNext"); // covered at the end
        QCOMPARE(hsMain(screen)->value(), hsMain(screen)->maximum());
        QCOMPARE(picHost(screen)->x(), -hsMain(screen)->maximum());
        QVERIFY(text(screen, "lblPos")
                    .endsWith(QStringLiteral(" %1").arg(picHost(screen)->findChildren<TitleBox *>().size())));

        screen->tick();
        QCOMPARE(text(screen, "lblTime"), time);
        QCOMPARE(m_content->profile().playTime(Game::Bonus) + m_content->profile().playTime(Game::Puzzle),
                 301);
    }

    // Tab and Shift+Tab go round the strip and bring a hidden box into view; the Puzzle win typed
    // there opens the next stage (Vestiti among it).
    void aWinTypedInHiddenBoxesOpensTheNextStage()
    {
        for (int c : {1, 2, 3, 5, 6, 7, 8, 9, 10, 13, 14, 15, 16, 17})
            QVERIFY(m_content->profile().setCategoryState(c, Game::CategoryState(2)));
        m_content->solve(Missing, 2, 10);
        PlayScreen *screen = open(Game::Puzzle, Missing);
        QVERIFY(screen);
        const int base = m_content->content.base(Missing);
        clickAt(screen, "fraInfo");
        QTRY_VERIFY(titleBox(screen, 1)->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab); // round to the last box
        QVERIFY(titleBox(screen, 11)->hasFocus());
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("9 - 11"));
        QCOMPARE(picHost(screen)->x(), -hsMain(screen)->maximum());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("film %1").arg(base + 11));
        QVERIFY(titleBox(screen, 11)->isSolved());
        QCOMPARE(text(screen, "lblRisolti"), QStringLiteral("10/11"));
        QVERIFY(titleBox(screen, 1)->hasFocus()); // the caret goes round to the one box still open
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("1 - 3"));
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("film %1").arg(base + 1));

        QCOMPARE(qint16(m_content->profile().categoryState(Missing)), qint16(2));
        QVERIFY(infoPanel(screen)->isVisible());
        QVERIFY(infoPanel(screen)->message().startsWith(CategoryPlay::winMessage()));
        QVERIFY(!timer(screen, "tmrTime")->isActive());
        for (int opened : {4, 11, 12, 20})
            QVERIFY2(qint16(m_content->profile().categoryState(opened)) == 1,
                     qPrintable(QString::number(opened)));
    }

    // The first key typed under the panel takes it away and starts the clock. A solve hands the
    // caret to the next open box and an arrow step to the first open box in view; the strip
    // follows by whole steps and its label names what is in view.
    void theCaretFollowsTheStrip()
    {
        for (int solved : {2, 4, 8})
            m_content->solve(Missing, solved, solved);
        PlayScreen *screen = open(Game::Puzzle, Missing);
        QVERIFY(screen);
        QTRY_VERIFY(titleBox(screen, 1)->hasFocus());
        const int base = m_content->content.base(Missing);
        // A picture to type the title of, or an arrow; then the box with the caret and the label.
        const struct {
            int picture;
            const char *arrow;
            int caret;
            QString pos;
        } steps[] = {{1, nullptr, 3, "1 - 3"}, {0, "imgNext", 5, "4 - 6"},  {5, nullptr, 6, "4 - 6"},
                     {6, nullptr, 7, "7 - 9"}, {0, "imgNext", 9, "9 - 11"}, {0, "imgBack", 7, "6 - 8"}};
        for (const auto &step : steps) {
            if (step.arrow)
                clickAt(screen, step.arrow);
            else
                QTest::keyClicks(QApplication::focusWidget(),
                                 QStringLiteral("film %1").arg(base + step.picture));
            QVERIFY2(titleBox(screen, step.caret)->hasFocus(), qPrintable(step.pos));
            QCOMPARE(text(screen, "lblPos"), step.pos);
        }
        QVERIFY(!infoPanel(screen)->isVisible());
        QVERIFY(timer(screen, "tmrTime")->isActive());
        QCOMPARE(text(screen, "lblRisolti"), QStringLiteral("6/11"));
    }

    // A picture near the strip's start is found damaged before the screen shows; one farther along
    // as it comes near the view, even when the scroll comes before the rest of the strip is made.
    void aCategoryThatCannotBeShownGoesBackUntouched_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("picture"); // the one garbled
        QTest::addColumn<QString>("expected");
        QTest::newRow("158 pictures") << "count" << 0 << "al massimo 157";
        QTest::newRow("picture near the start") << "garbled" << 4 << "10000004";
        QTest::newRow("picture far along the strip") << "garbled" << 20 << "10000020";
        QTest::newRow("page list without fields") << "list" << 0 << "~temp.tmp";
    }
    void aCategoryThatCannotBeShownGoesBackUntouched()
    {
        QFETCH(QString, damage);
        QFETCH(int, picture);
        QFETCH(QString, expected);
        if (damage == QLatin1String("count")) {
            QVector<int> counts = Counts;
            counts[Animali - 1] = 158;
            makeContent(counts);
        }
        if (damage == QLatin1String("garbled")) {
            QByteArray bytes = m_content->read(QStringLiteral("Data/0010.lvd"));
            int start = PlayFixture::Header;
            for (int p = 1; p < picture; ++p)
                start += int(m_content->content.picture(p).size());
            bytes.replace(start, 16, QByteArray(16, '\0'));
            m_content->put(QStringLiteral("Data/0010.lvd"), bytes);
        }
        const QByteArray profile = m_content->read(QStringLiteral("User/Mario.lmp"));
        MessageRecorder messages(true);

        QPointer<Bonus> screen = new Bonus(m_content->profile(), Animali);
        if (damage == QLatin1String("list")) {
            m_content->put(QStringLiteral("Temp/~temp.tmp"), "10:00:0001\r\n");
            m_content->put(QStringLiteral("Temp/0001.tmp"), PlayFixture::picture(1));
            QVERIFY(!screen->loadStrip());
        } else if (picture > StripMath::nearCells(StripMath::ScrollMin, 24).last) {
            QVERIFY(screen->open());
            QVERIFY(messages.shown.isEmpty());
            hsMain(screen)->setValue(hsMain(screen)->maximum());
        } else {
            QVERIFY(!screen->open());
        }
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.lastText().contains(expected), qPrintable(messages.lastText()));
        QTRY_VERIFY(screen.isNull());
        QCOMPARE(m_content->read(QStringLiteral("User/Mario.lmp")), profile);
        QVERIFY(m_content->tempPictures().isEmpty());
    }
};

QTEST_MAIN(tst_StripPlayScreen)
#include "tst_StripPlayScreen.moc"
