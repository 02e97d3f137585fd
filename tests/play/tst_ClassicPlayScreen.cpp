// The Classic play screen driven as a player drives it: typing titles, clicking the panel and
// the arrows, pressing F1. The rules behind it have their own window-free test; this one checks
// that the screen shows what they say and survives damaged pages.

#include "Pictures.h"
#include "PlayFixture.h"
#include "play/ClassicPlayScreen.h"
#include "play/TitleBox.h"
#include "widgets/ClickableImage.h"
#include "widgets/InfoPanel.h"

#include <QApplication>
#include <QPointer>
#include <QtTest>
#include <memory>

namespace {
// Pictures per category: Animazione (1) five pages, Demenziali (5) one page.
const QVector<int> Counts = {45, 0, 0, 0, 9};
constexpr int Animazione = 1;
constexpr int Demenziali = 5;

// Every picture a BMP of one size and one colour of its own.
QByteArray flatPicture(int n)
{
    return Pictures::flat(n, QSize(200, 110), "BMP");
}
} // namespace

class tst_ClassicPlayScreen : public QObject
{
    Q_OBJECT

    std::unique_ptr<PlayFixture> m_content;
    std::unique_ptr<MessageRecorder> m_messages;

    // The screen with the seams a test needs: a page list loaded again, and the arrows.
    class Screen : public ClassicPlayScreen
    {
    public:
        using ClassicPlayScreen::ClassicPlayScreen;
        using ClassicPlayScreen::goNext;
        using ClassicPlayScreen::loadPage;
    };

    Screen *open(int category)
    {
        auto *screen = new Screen(m_content->profile(), category);
        if (screen->open() && !QTest::qWaitForWindowActive(screen))
            qWarning("the play screen did not become active");
        return screen;
    }

    static TitleBox *box(QWidget *screen, int i) { return titleBox(screen, i); }

private slots:
    void initTestCase() { QApplication::setDoubleClickInterval(0); }

    void init()
    {
        m_content = std::make_unique<PlayFixture>(Counts, flatPicture);
        m_messages = std::make_unique<MessageRecorder>(true);
    }

    void cleanup()
    {
        // Screens the test left open go without handing over to another screen.
        for (QWidget *window : QApplication::topLevelWidgets())
            delete window;
        m_messages.reset();
        m_content.reset();
    }

    void openingShowsTheFirstUnfinishedPageWithItsCounters()
    {
        m_content->solve(Animazione, 1, 18);
        m_content->solve(Animazione, 20, 20);
        m_content->profile().setPlayTime(Game::Classic, 125);
        Screen *screen = open(Animazione);

        QCOMPARE(text(screen, "lblPos"), QStringLiteral("3/5"));
        QCOMPARE(text(screen, "lblRisolti"), QStringLiteral("19/45"));
        QCOMPARE(text(screen, "lblTime"), QStringLiteral("0:02:05"));
        QVERIFY2(m_content->tempPictures().isEmpty(), qPrintable(m_content->tempPictures().join(' ')));
        QCOMPARE(box(screen, 1)->tag(), QStringLiteral("Film 19"));
        QVERIFY(box(screen, 2)->isSolved());
        QCOMPARE(box(screen, 2)->text(), QStringLiteral("Film 20"));
        QTRY_VERIFY(box(screen, 1)->hasFocus());
    }

    // The first key typed under the panel takes it away and starts the clock, as a click does, and
    // counts towards the title; each solve hands the caret to the page's next open box, round from
    // the last box to the first.
    void typingUnderThePanelStartsTheClockAndTheCaretFollows()
    {
        m_content->solve(Animazione, 2, 2);
        m_content->solve(Animazione, 9, 9);
        Screen *screen = open(Animazione);
        QTRY_VERIFY(box(screen, 1)->hasFocus());
        QVERIFY(infoPanel(screen)->isVisible());
        QTest::keyClicks(box(screen, 1), QStringLiteral("film 1"));
        QVERIFY(!infoPanel(screen)->isVisible());
        QVERIFY(timer(screen, "tmrTime")->isActive());
        QVERIFY(box(screen, 1)->isSolved());
        QVERIFY(box(screen, 3)->hasFocus());
        box(screen, 8)->setFocus();
        QTest::keyClicks(box(screen, 8), QStringLiteral("film 8"));
        QVERIFY(box(screen, 3)->hasFocus());
    }

    void theSecondClickOfTheOpeningDoubleClickLeavesThePanel()
    {
        QApplication::setDoubleClickInterval(60000);
        Screen *screen = open(Animazione);
        QTest::mouseClick(infoPanel(screen), Qt::LeftButton);
        QApplication::setDoubleClickInterval(0);
        QVERIFY(infoPanel(screen)->isVisible());
        QVERIFY(!timer(screen, "tmrTime")->isActive());
    }

    // Every picture is the same size, so only its pixels tell a new page from the one before.
    void arrowsLeadThroughEveryPageAndNoFurther()
    {
        Screen *screen = open(Animazione);
        QTest::mouseClick(infoPanel(screen), Qt::LeftButton);
        QVERIFY(shown(screen, "imgBackMask"));
        ScreenSupport::clickPlaceOf(screen, QStringLiteral("imgBack")); // covered: nothing happens
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("1/5"));
        for (int page = 2; page <= 5; ++page) {
            ScreenSupport::clickPlaceOf(screen, QStringLiteral("imgNext"));
            QCOMPARE(text(screen, "lblPos"), QStringLiteral("%1/5").arg(page));
            QCOMPARE(shown(screen, "imgNextMask"), page == 5);
            QVERIFY(!shown(screen, "imgBackMask"));
            for (int i : {1, 9}) {
                const int n = 9 * (page - 1) + i;
                QCOMPARE(box(screen, i)->tag(), QStringLiteral("Film %1").arg(n));
                QVERIFY2(
                    cellPicture(screen, i)->pixmap().toImage().pixel(100, 55)
                        == QImage::fromData(flatPicture(n)).pixel(100, 55),
                    qPrintable(QStringLiteral("page %1 cell %2 shows another picture").arg(page).arg(i)));
            }
        }
        QVERIFY(m_content->tempPictures().isEmpty());
        ScreenSupport::clickPlaceOf(screen, QStringLiteral("imgNext")); // covered on the last page
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("5/5"));
        QVERIFY(timer(screen, "tmrTime")->isActive());
        QVERIFY(m_messages->shown.isEmpty());
        screen->close();
        QVERIFY(!timer(screen, "tmrTime")->isActive());

        QWidget *single = open(Demenziali);
        QVERIFY(shown(single, "imgBackMask") && shown(single, "imgNextMask"));
    }

    // By keyboard alone: Enter or Space closes the panel as a click does, without typing into the
    // box; Page Down and Page Up turn the pages as the arrows do, and no further.
    void keysCloseThePanelAndTurnThePages()
    {
        Screen *screen = open(Animazione);
        QTRY_VERIFY(box(screen, 1)->hasFocus());
        QTest::keyClick(box(screen, 1), Qt::Key_Space);
        QVERIFY(!infoPanel(screen)->isVisible());
        QVERIFY(timer(screen, "tmrTime")->isActive());
        QVERIFY(box(screen, 1)->text().isEmpty());
        const QVector<std::pair<Qt::Key, QString>> pages = {{Qt::Key_PageUp, QStringLiteral("1/5")},
                                                            {Qt::Key_PageDown, QStringLiteral("2/5")},
                                                            {Qt::Key_PageUp, QStringLiteral("1/5")}};
        for (const auto &[key, position] : pages) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QCOMPARE(text(screen, "lblPos"), position);
        }
    }

    void f1TogglesTheBlinkingCodesWhileATitleBoxHasTheFocus()
    {
        m_content->solve(Animazione, 2, 2);
        Screen *screen = open(Animazione);
        QTRY_VERIFY(box(screen, 1)->hasFocus());
        QTest::keyClick(box(screen, 1), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(codeLabel(screen, 9)->isVisible());
        QVERIFY(box(screen, 1)->text().isEmpty());
        QCOMPARE(codeLabel(screen, 1)->text(), QStringLiteral("01010001"));
        // Light text on a dark chip through the blink, alike on open and solved cells.
        for (int blink = 0; blink < 2; ++blink) {
            screen->blink();
            for (int k : {1, 2}) {
                const QPalette colours = codeLabel(screen, k)->palette();
                QVERIFY(codeLabel(screen, k)->autoFillBackground());
                QVERIFY(colours.color(QPalette::WindowText).lightness() > 200);
                QVERIFY(colours.color(QPalette::Window).lightness() < 100);
            }
        }
        screen->goNext();
        QCOMPARE(codeLabel(screen, 1)->text(), QStringLiteral("01020001"));
        QVERIFY(codeLabel(screen, 1)->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QVERIFY(!codeLabel(screen, 1)->isVisible());
        QVERIFY(!timer(screen, "tmrIndex")->isActive());
    }

    void aShortPageListClearsTheCellsBelowIt()
    {
        Screen *screen = open(Animazione);
        QByteArray list;
        for (int k = 1; k <= 3; ++k) {
            m_content->put(QStringLiteral("Temp/%1.tmp").arg(k, 4, 10, QLatin1Char('0')),
                           flatPicture(30 + k));
            list += QStringLiteral("01:01:%1:%2:Film %2\r\n")
                        .arg(k, 4, 10, QLatin1Char('0'))
                        .arg(30 + k)
                        .toLatin1();
        }
        m_content->put(QStringLiteral("Temp/~temp.tmp"), list);
        QVERIFY(screen->loadPage());
        QCOMPARE(box(screen, 3)->tag(), QStringLiteral("Film 33"));
        for (int i = 4; i <= 9; ++i) {
            QVERIFY(cellPicture(screen, i)->pixmap().isNull());
            QVERIFY(!box(screen, i)->isEnabled());
            QVERIFY(box(screen, i)->tag().isEmpty());
        }
    }

    void aPageThatCannotBeShownGoesBackUntouched_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("expected");
        QTest::newRow("truncated pack") << "truncated"
                                        << "Data/0001.lvd";
        QTest::newRow("picture that does not decode") << "garbled"
                                                      << "01010004";
        QTest::newRow("page list without fields") << "list"
                                                  << "~temp.tmp";
    }
    void aPageThatCannotBeShownGoesBackUntouched()
    {
        QFETCH(QString, damage);
        QFETCH(QString, expected);
        QByteArray bytes = m_content->read(QStringLiteral("Data/0001.lvd"));
        const int fourth = PlayFixture::Header + 3 * int(flatPicture(1).size());
        if (damage == QLatin1String("truncated"))
            bytes.truncate(PlayFixture::Header + 1000);
        else if (damage == QLatin1String("garbled"))
            bytes.replace(fourth, 16, QByteArray(16, '\0'));
        m_content->put(QStringLiteral("Data/0001.lvd"), bytes);
        const QByteArray profile = m_content->read(QStringLiteral("User/Mario.lmp"));

        QPointer<Screen> screen = open(Animazione);
        if (damage == QLatin1String("list")) {
            m_content->put(QStringLiteral("Temp/~temp.tmp"), "01:01:0001\r\n");
            QVERIFY(!screen->loadPage());
        }
        QVERIFY(!m_messages->shown.isEmpty());
        QVERIFY2(m_messages->shown.first().text.contains(expected),
                 qPrintable(m_messages->shown.first().text));
        QTRY_VERIFY(screen.isNull());
        QCOMPARE(m_content->read(QStringLiteral("User/Mario.lmp")), profile);
        QVERIFY(m_content->tempPictures().isEmpty());
    }
};

QTEST_MAIN(tst_ClassicPlayScreen)
#include "tst_ClassicPlayScreen.moc"
