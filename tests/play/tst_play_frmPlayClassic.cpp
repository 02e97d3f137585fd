// The Classic play screen driven as a player drives it: typing titles, clicking the panel and
// the arrows, pressing F1. The rules behind it have their own window-free test; this one checks
// that the screen shows what they say and survives damaged pages.

#include "PlayFixture.h"
#include "play/TitleBox.h"
#include "play/frmPlayClassic.h"
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
    QImage image(200, 110, QImage::Format_RGB32);
    image.fill(QColor::fromHsv((n * 37) % 360, 200, 200));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}
} // namespace

class tst_play_frmPlayClassic : public QObject
{
    Q_OBJECT

    std::unique_ptr<PlayFixture> m_content;
    std::unique_ptr<MessageRecorder> m_messages;

    frmPlayClassic *open(int category)
    {
        objUser.curcat = category;
        auto *screen = new frmPlayClassic;
        if (screen->load() && !QTest::qWaitForWindowActive(screen))
            qWarning("the play screen did not become active");
        return screen;
    }

    static TitleBox *box(frmPlayClassic *screen, int i) { return screen->cell(i).txtTitle; }

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
        objUser.setTime(mdlConst::Classic, 125);
        frmPlayClassic *screen = open(Animazione);

        QCOMPARE(text(screen, "lblPos"), QStringLiteral("3/5"));
        QCOMPARE(text(screen, "lblRisolti"), QStringLiteral("19/45"));
        QCOMPARE(text(screen, "lblTime"), QStringLiteral("0:02:05"));
        QVERIFY2(m_content->tempPictures().isEmpty(), qPrintable(m_content->tempPictures().join(' ')));
        QCOMPARE(box(screen, 1)->tag(), QStringLiteral("Film 19"));
        QVERIFY(box(screen, 2)->isSolved());
        QCOMPARE(box(screen, 2)->text(), QStringLiteral("Film 20"));
        QTRY_VERIFY(box(screen, 1)->hasFocus());
    }

    void theSecondClickOfTheOpeningDoubleClickLeavesThePanel()
    {
        QApplication::setDoubleClickInterval(60000);
        frmPlayClassic *screen = open(Animazione);
        QTest::mouseClick(screen->panel(), Qt::LeftButton);
        QApplication::setDoubleClickInterval(0);
        QVERIFY(screen->panel()->isVisible());
        QVERIFY(!screen->tmrTime()->isActive());
    }

    // Every picture is the same size, so only its pixels tell a new page from the one before.
    void arrowsLeadThroughEveryPageAndNoFurther()
    {
        frmPlayClassic *screen = open(Animazione);
        QTest::mouseClick(screen->panel(), Qt::LeftButton);
        QVERIFY(shown(screen, "imgBackMask"));
        ScreenSupport::clickPlaceOf(screen, QStringLiteral("imgBack")); // covered: nothing happens
        QCOMPARE(objUser.curPage, qint16(1));
        for (int page = 2; page <= 5; ++page) {
            ScreenSupport::clickPlaceOf(screen, QStringLiteral("imgNext"));
            QCOMPARE(text(screen, "lblPos"), QStringLiteral("%1/5").arg(page));
            QCOMPARE(shown(screen, "imgNextMask"), page == 5);
            QVERIFY(!shown(screen, "imgBackMask"));
            for (int i : {1, 9}) {
                const int n = 9 * (page - 1) + i;
                QCOMPARE(screen->cell(i).picture, n);
                QVERIFY2(
                    screen->cell(i).imgImage->pixmap().toImage().pixel(100, 55)
                        == QImage::fromData(flatPicture(n)).pixel(100, 55),
                    qPrintable(QStringLiteral("page %1 cell %2 shows another picture").arg(page).arg(i)));
            }
        }
        QVERIFY(m_content->tempPictures().isEmpty());
        ScreenSupport::clickPlaceOf(screen, QStringLiteral("imgNext")); // covered on the last page
        QCOMPARE(objUser.curPage, qint16(5));
        QVERIFY(screen->tmrTime()->isActive());
        QVERIFY(m_messages->shown.isEmpty());
        screen->close();
        QVERIFY(!screen->tmrTime()->isActive());

        frmPlayClassic *single = open(Demenziali);
        QVERIFY(shown(single, "imgBackMask") && shown(single, "imgNextMask"));
    }

    void f1TogglesTheBlinkingCodesWhileATitleBoxHasTheFocus()
    {
        frmPlayClassic *screen = open(Animazione);
        QTRY_VERIFY(box(screen, 1)->hasFocus());
        QTest::keyClick(box(screen, 1), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(screen->cell(9).lblIndex->isVisible());
        QVERIFY(box(screen, 1)->text().isEmpty());
        QCOMPARE(screen->cell(1).lblIndex->text(), QStringLiteral("01010001"));
        screen->imgNext_Click();
        QCOMPARE(screen->cell(1).lblIndex->text(), QStringLiteral("01020001"));
        QVERIFY(screen->cell(1).lblIndex->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QVERIFY(!screen->cell(1).lblIndex->isVisible());
        QVERIFY(!screen->tmrIndex()->isActive());
    }

    void aShortPageListClearsTheCellsBelowIt()
    {
        frmPlayClassic *screen = open(Animazione);
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
        QVERIFY(screen->LoadPage());
        QCOMPARE(screen->cell(3).picture, 33);
        for (int i = 4; i <= 9; ++i) {
            QVERIFY(screen->cell(i).imgImage->pixmap().isNull());
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

        QPointer<frmPlayClassic> screen = open(Animazione);
        if (damage == QLatin1String("list")) {
            m_content->put(QStringLiteral("Temp/~temp.tmp"), "01:01:0001\r\n");
            QVERIFY(!screen->LoadPage());
        }
        QVERIFY(!m_messages->shown.isEmpty());
        QVERIFY2(m_messages->shown.first().text.contains(expected),
                 qPrintable(m_messages->shown.first().text));
        QTRY_VERIFY(screen.isNull());
        QCOMPARE(m_content->read(QStringLiteral("User/Mario.lmp")), profile);
        QVERIFY(m_content->tempPictures().isEmpty());
    }
};

QTEST_MAIN(tst_play_frmPlayClassic)
#include "tst_play_frmPlayClassic.moc"
