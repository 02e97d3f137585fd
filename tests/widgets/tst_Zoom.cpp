// The game-wide zoom: a screen laid out in its layout's pixels is drawn at 100, 125, 150 and
// 200 %, fonts and artwork with it, exactly as laid out at 100 %, and the keys step through.

#include "MessageSupport.h"
#include "base/ZoomSteps.h"
#include "widgets/ClickableImage.h"
#include "widgets/GameScreen.h"
#include "widgets/Zoom.h"

#include <QLabel>
#include <QStandardPaths>
#include <QtTest>

namespace {
// A small screen: a fixed window, a frame with a label in it, and a piece of artwork the keyboard reaches.
class Screen : public GameScreen
{
public:
    Screen()
        : GameScreen(QStringLiteral("screen"))
    {
        setFixedSize(200, 100);
        auto *frame = new QWidget(this);
        frame->setObjectName(QStringLiteral("frame"));
        frame->setGeometry(10, 20, 150, 60);
        auto *text = new QLabel(QStringLiteral("Film"), frame);
        text->setObjectName(QStringLiteral("text"));
        text->setGeometry(5, 5, 30, 15);
        text->setFont(QFont(QStringLiteral("Verdana"), 8));
        auto *art = new ClickableImage(this);
        art->setObjectName(QStringLiteral("art"));
        art->setGeometry(160, 0, 40, 20);
        art->setFocusPolicy(Qt::TabFocus);
        Zoom::setArtwork(art, QStringLiteral("close"));
    }
    QWidget *child(const char *name) const { return findChild<QWidget *>(QLatin1String(name)); }
};
} // namespace

class tst_Zoom : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void cleanup()
    {
        Zoom::fitTo(QSize());
        Zoom::setPercent(100);
    }

    // The steps offered: those at which the largest window, framed, fits the screen's free area.
    void theStepsThatFitTheScreen_data()
    {
        QTest::addColumn<QSize>("layout");
        QTest::addColumn<QSize>("available");
        QTest::addColumn<QVector<int>>("steps");
        const QSize game(688, 483);
        QTest::newRow("1280 x 900 with a panel") << game << QSize(1280, 860) << QVector<int> {100, 125, 150};
        QTest::newRow("1920 x 1080 with a panel")
            << game << QSize(1920, 1040) << QVector<int> {100, 125, 150, 200};
        QTest::newRow("to the pixel")
            << QSize(392, 276) << QSize(800, 600) << QVector<int> {100, 125, 150, 200};
        QTest::newRow("a pixel short") << QSize(392, 276) << QSize(800, 599) << QVector<int> {100, 125, 150};
    }
    void theStepsThatFitTheScreen()
    {
        QFETCH(QSize, layout);
        QFETCH(QSize, available);
        QFETCH(QVector<int>, steps);
        QCOMPARE(ZoomSteps::fitting(layout, QSize(8, 48), available), steps);
    }

    // A window follows the zoom and comes back to its layout and place exactly; so does the focus frame.
    void aScreenIsDrawnAtEachZoomAndBackExactly()
    {
        Screen screen;
        QVERIFY(screen.open() && QTest::qWaitForWindowActive(&screen));
        // A window of a fixed size offers no maximising.
        QVERIFY(screen.windowFlags().testFlags(Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint));
        QVERIFY(!screen.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        screen.child("art")->setFocus(Qt::TabFocusReason);
        auto *frame = screen.findChild<QWidget *>(QStringLiteral("focusFrame"));
        const QRect placed = screen.geometry();
        const qreal points = screen.child("text")->font().pointSizeF();
        Zoom::setPercent(200);
        QCOMPARE(screen.size(), QSize(400, 200));
        QCOMPARE(screen.child("frame")->geometry(), QRect(20, 40, 300, 120));
        QCOMPARE(screen.child("text")->geometry(), QRect(10, 10, 60, 30));
        QCOMPARE(screen.child("text")->font().pointSizeF(), points * 2);
        const QPixmap art = static_cast<QLabel *>(screen.child("art"))->pixmap();
        QCOMPARE(art.size() / art.devicePixelRatio(), QSize(80, 40));
        // Three pixels wide at 100 %, wider as the picture grows.
        QCOMPARE(frame->geometry(), QRect(320, 0, 80, 40).adjusted(-6, -6, 6, 6));

        // Edges are scaled, so widgets that touch at 100 % touch at 125 %.
        Zoom::setPercent(125);
        QCOMPARE(screen.child("frame")->geometry().right() + 1, qRound(160 * 1.25));
        QCOMPARE(screen.child("art")->geometry().left(), qRound(160 * 1.25));
        Zoom::place(screen.child("art"), QRect(-20, 10, 100, 40));
        QCOMPARE(frame->geometry(), QRect(-25, 13, 125, 50).adjusted(-4, -4, 4, 4));

        Zoom::setPercent(100);
        QCOMPARE(screen.geometry(), placed);
        QCOMPARE(screen.child("frame")->geometry(), QRect(10, 20, 150, 60));
        QCOMPARE(screen.child("text")->font().pointSizeF(), points);
        QCOMPARE(frame->geometry(), QRect(-20, 10, 100, 40).adjusted(-3, -3, 3, 3));
    }

    // Keys step through what fits; the choice comes back on a larger screen, a larger window steps down.
    void keysStepThroughTheStepsThatFit()
    {
        Screen screen;
        QVERIFY(screen.open() && QTest::qWaitForWindowActive(&screen));
        Zoom::fitTo(QSize(400, 300));
        QTest::keyClick(&screen, Qt::Key_Equal, Qt::ControlModifier);
        QTest::keyClick(&screen, Qt::Key_Plus, Qt::ControlModifier);
        QTest::keyClick(&screen, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(Zoom::percent(), 150);
        QCOMPARE(screen.size(), QSize(300, 150));
        QTest::keyClick(&screen, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(Zoom::percent(), 125);
        QTest::keyClick(&screen, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(Zoom::percent(), 100);

        Zoom::setPercent(200);
        QCOMPARE(Zoom::percent(), 150);
        Zoom::fitTo(QSize(1000, 800));
        QCOMPARE(screen.size(), QSize(400, 200));
        GameScreen larger(QStringLiteral("larger"));
        larger.setFixedSize(480, 400);
        QVERIFY(larger.open());
        QCOMPARE(Zoom::percent(), 150);
        QCOMPARE(larger.size(), QSize(720, 600));
        QCOMPARE(screen.size(), QSize(300, 150));
    }
};

QTEST_MAIN(tst_Zoom)
#include "tst_Zoom.moc"
