// The Classic play screen driven as a player drives it: typing titles, the panel, the arrows and
// F1, and a page that cannot be shown. The rules behind it have their own window-free test.

#include "Pictures.h"
#include "PlayFixture.h"
#include "play/ClassicPlayScreen.h"

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
    using Screen = ClassicPlayScreen;

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

    void init() { m_content = std::make_unique<PlayFixture>(Counts, flatPicture); }

    void cleanup()
    {
        ScreenSupport::closeEveryWindow();
        m_content.reset();
    }

    // The screen opens on the first unfinished page with its counters. The first key typed under
    // the panel takes it away and starts the clock, as a click does, and counts towards the title.
    // The caret stays in each solved box, where a title's final "." falls harmlessly, and Tab leads
    // through the page, locked boxes included, from box 8 round to box 9.
    void titlesTypedWithTabBetweenThemAreAllTaken()
    {
        m_content->solve(Animazione, 1, 18);
        m_content->solve(Animazione, 20, 20);
        m_content->profile().setPlayTime(Game::Classic, 125);
        Screen *screen = open(Animazione);
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("3/5"));
        QCOMPARE(text(screen, "lblRisolti"), QStringLiteral("19/45"));
        QCOMPARE(text(screen, "lblTime"), QStringLiteral("0:02:05"));
        QVERIFY2(m_content->tempPictures().isEmpty(), qPrintable(m_content->tempPictures().join(' ')));
        QTRY_VERIFY(box(screen, 1)->hasFocus());
        QVERIFY(infoPanel(screen)->isVisible());
        for (int i = 1; i <= 9; ++i) {
            QVERIFY2(box(screen, i)->hasFocus(), qPrintable(QString::number(i)));
            if (i != 2)
                QTest::keyClicks(box(screen, i), QStringLiteral("film %1.").arg(18 + i));
            QCOMPARE(box(screen, i)->text(), QStringLiteral("Film %1").arg(18 + i));
            QVERIFY(box(screen, i)->isSolved() && box(screen, i)->hasFocus());
            QCOMPARE(m_content->profile().solvedFlag(18 + i), qint16(1));
            QTest::keyClick(box(screen, i), Qt::Key_Tab);
        }
        QVERIFY(box(screen, 1)->hasFocus());
        QVERIFY(!infoPanel(screen)->isVisible());
        QVERIFY(timer(screen, "tmrTime")->isActive());
        QCOMPARE(text(screen, "lblRisolti"), QStringLiteral("27/45"));
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

    // Every picture is the same size, so only its pixels tell a new page from the one before. Page
    // Down and Page Up turn the pages as the arrows do, and no further. F1 shows the codes, each tick
    // swapping their text colour, white to black and back, and a new page keeps them on show.
    void arrowsAndKeysLeadThroughEveryPageAndNoFurther()
    {
        m_content->solve(Animazione, 2, 2);
        Screen *screen = open(Animazione);
        QTRY_VERIFY(box(screen, 1)->hasFocus());
        QTest::keyClick(box(screen, 1), Qt::Key_Space); // the panel goes, nothing is typed
        QTest::keyClick(box(screen, 1), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(!infoPanel(screen)->isVisible());
        QVERIFY(box(screen, 1)->text().isEmpty());
        QCOMPARE(codeLabel(screen, 1)->text(), QStringLiteral("01010001"));
        for (const QColor colour : {QColor(Qt::white), QColor(Qt::black), QColor(Qt::white)}) {
            for (int k : {1, 2}) // open and solved
                QVERIFY(codeLabel(screen, k)->isVisible()
                        && codeLabel(screen, k)->palette().color(QPalette::WindowText) == colour);
            screen->blink();
        }
        QTest::keyClick(box(screen, 1), Qt::Key_PageUp); // covered: nothing happens
        QVERIFY(ScreenSupport::clickPlaceOf(screen, QStringLiteral("imgBack")));
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("1/5"));
        for (int page = 2; page <= 5; ++page) {
            if (page % 2)
                QVERIFY(ScreenSupport::clickPlaceOf(screen, QStringLiteral("imgNext")));
            else
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
            QCOMPARE(text(screen, "lblPos"), QStringLiteral("%1/5").arg(page));
            QCOMPARE(shown(screen, "imgNextMask"), page == 5);
            QVERIFY(!shown(screen, "imgBackMask"));
            QVERIFY(box(screen, 1)->hasFocus());
            QVERIFY(codeLabel(screen, 9)->isVisible());
            QCOMPARE(codeLabel(screen, 9)->text(),
                     QStringLiteral("010%1").arg(page) + QStringLiteral("0009"));
            for (int i : {1, 9}) {
                const int n = 9 * (page - 1) + i;
                QCOMPARE(box(screen, i)->tag(), QStringLiteral("Film %1").arg(n));
                QVERIFY2(
                    cellPicture(screen, i)->pixmap().toImage().pixel(100, 55)
                        == QImage::fromData(flatPicture(n)).pixel(100, 55),
                    qPrintable(QStringLiteral("page %1 cell %2 shows another picture").arg(page).arg(i)));
            }
        }
        QVERIFY(ScreenSupport::clickPlaceOf(screen, QStringLiteral("imgNext"))); // covered on the last page
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageDown);
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("5/5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp);
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("4/5"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QVERIFY(!codeLabel(screen, 1)->isVisible() && !timer(screen, "tmrIndex")->isActive());
        QVERIFY(timer(screen, "tmrTime")->isActive());
        screen->close();
        QVERIFY(!timer(screen, "tmrTime")->isActive());

        QWidget *single = open(Demenziali);
        QVERIFY(shown(single, "imgBackMask") && shown(single, "imgNextMask"));
    }

    void aPageThatCannotBeShownGoesBackUntouched()
    {
        QByteArray bytes = m_content->read(QStringLiteral("Data/0001.lvd"));
        bytes.replace(PlayFixture::Header + 3 * int(flatPicture(1).size()), 16, QByteArray(16, '\0'));
        m_content->put(QStringLiteral("Data/0001.lvd"), bytes);
        const QByteArray profile = m_content->read(QStringLiteral("User/Mario.lmp"));
        ExpectedMessages messages;
        messages.expect(QStringLiteral("01010004")); // the fourth picture's code
        QPointer<Screen> screen = open(Animazione);
        QVERIFY2(messages.missing().isEmpty(), qPrintable(messages.missing()));
        QTRY_VERIFY(screen.isNull());
        QCOMPARE(m_content->read(QStringLiteral("User/Mario.lmp")), profile);
        QVERIFY(m_content->tempPictures().isEmpty());
    }
};

QTEST_MAIN(tst_ClassicPlayScreen)
#include "tst_ClassicPlayScreen.moc"
