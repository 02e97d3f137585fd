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
// A small screen: a fixed window, a frame with a label in it, and a piece of artwork.
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
        auto *art = new QLabel(this);
        art->setObjectName(QStringLiteral("art"));
        art->setGeometry(160, 0, 40, 20);
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
    void cleanup() { Zoom::setPercent(100); }

    void stepsHoldAtTheEnds_data()
    {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("next");
        QTest::newRow("100 larger") << 100 << 1 << 125;
        QTest::newRow("150 larger") << 150 << 1 << 200;
        QTest::newRow("200 larger") << 200 << 1 << 200;
        QTest::newRow("125 smaller") << 125 << -1 << 100;
        QTest::newRow("100 smaller") << 100 << -1 << 100;
        QTest::newRow("130, no step, smaller") << 130 << -1 << 125;
    }
    void stepsHoldAtTheEnds()
    {
        QFETCH(int, percent);
        QFETCH(int, direction);
        QFETCH(int, next);
        QCOMPARE(ZoomSteps::next(percent, direction), next);
        QCOMPARE(ZoomSteps::valid(percent), percent == 130 ? 100 : percent);
    }

    // Every window of the game follows the zoom, and comes back to its layout exactly.
    void aScreenIsDrawnAtEachZoomAndBackExactly()
    {
        Screen screen;
        QVERIFY(screen.open());
        const qreal points = screen.child("text")->font().pointSizeF();
        Zoom::setPercent(200);
        QCOMPARE(screen.size(), QSize(400, 200));
        QCOMPARE(screen.child("frame")->geometry(), QRect(20, 40, 300, 120));
        QCOMPARE(screen.child("text")->geometry(), QRect(10, 10, 60, 30));
        QCOMPARE(screen.child("text")->font().pointSizeF(), points * 2);
        const QPixmap art = static_cast<QLabel *>(screen.child("art"))->pixmap();
        QCOMPARE(art.size() / art.devicePixelRatio(), QSize(80, 40));

        // Edges are scaled, so widgets that touch at 100 % touch at 125 %.
        Zoom::setPercent(125);
        QCOMPARE(screen.child("frame")->geometry().right() + 1, qRound(160 * 1.25));
        QCOMPARE(screen.child("art")->geometry().left(), qRound(160 * 1.25));

        Zoom::setPercent(100);
        QCOMPARE(screen.size(), QSize(200, 100));
        QCOMPARE(screen.child("frame")->geometry(), QRect(10, 20, 150, 60));
        QCOMPARE(screen.child("text")->font().pointSizeF(), points);
    }

    // A widget moved while the screen is on show stays where its layout says at every zoom.
    void aPlacedWidgetKeepsItsLayoutPlace()
    {
        Screen screen;
        QVERIFY(screen.open());
        Zoom::setPercent(150);
        Zoom::place(screen.child("frame"), QRect(-20, 10, 100, 40));
        QCOMPARE(screen.child("frame")->geometry(), QRect(-30, 15, 150, 60));
        Zoom::setPercent(100);
        QCOMPARE(screen.child("frame")->geometry(), QRect(-20, 10, 100, 40));
    }

    // The focus frame around a picture follows the picture, not a layout of its own.
    void theFocusFrameFollowsItsPictureAtEveryZoom()
    {
        Screen screen;
        auto *picture = new ClickableImage(&screen);
        picture->setGeometry(40, 30, 60, 40);
        picture->setPixmap(QPixmap(60, 40));
        picture->setFocusPolicy(Qt::TabFocus);
        QVERIFY(screen.open());
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        picture->setFocus(Qt::TabFocusReason);
        auto *frame = screen.findChild<QWidget *>(QStringLiteral("focusFrame"));
        QVERIFY(frame && frame->isVisible());
        for (int percent : {200, 125, 100}) {
            Zoom::setPercent(percent);
            QCOMPARE(frame->geometry().center(), picture->geometry().center());
            QVERIFY(frame->geometry().contains(picture->geometry()));
        }
    }

    void keysStepTheZoomOnEveryScreen()
    {
        Screen screen;
        QVERIFY(screen.open());
        QVERIFY(QTest::qWaitForWindowActive(&screen));
        QTest::keyClick(&screen, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(Zoom::percent(), 125);
        QTest::keyClick(&screen, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(Zoom::percent(), 150);
        QCOMPARE(screen.size(), QSize(300, 150));
        QTest::keyClick(&screen, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(Zoom::percent(), 125);
        QTest::keyClick(&screen, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(Zoom::percent(), 100);
    }
};

QTEST_MAIN(tst_Zoom)
#include "tst_Zoom.moc"
