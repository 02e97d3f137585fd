// The Bonus and Puzzle play screens driven as a player drives them: the arrows, the panel, Tab,
// typing. The strip's arithmetic has its own window-free test; this one checks that the screen
// is wired to it, counts time in its own slot and refuses categories it cannot show.

#include "PlayFixture.h"
#include "play/TitleBox.h"
#include "play/frmPlayStrip.h"
#include "shell/Screens.h"
#include "widgets/InfoPanel.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QtTest>
#include <memory>

namespace {
constexpr int Animali = 10;  // Bonus, 24 pictures
constexpr int Maschere = 14; // Bonus, 2 pictures
constexpr int Missing = 18;  // Puzzle, 11 pictures
const QVector<int> Counts = {0, 0, 0, 0, 0, 0, 0, 0, 0, 24, 0, 0, 0, 2, 0, 0, 0, 11};

// A click where the player's would land: on whatever lies on top at the control's centre.
void clickAt(QWidget *window, const char *name)
{
    auto *control = window->findChild<QWidget *>(QLatin1String(name));
    QVERIFY2(control, name);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      control->mapTo(window, control->rect().center()));
}
} // namespace

class tst_play_frmPlayStrip : public QObject
{
    Q_OBJECT

    std::unique_ptr<PlayFixture> m_content;

    // The categories of the test open, as the unlock stages would have left them.
    void makeContent(const QVector<int> &counts)
    {
        m_content.reset();
        m_content = std::make_unique<PlayFixture>(counts);
        for (int category : {Animali, Maschere, Missing})
            QVERIFY(objUser.setCategorie(category, mdlConst::CategoryState(1)));
    }

    frmPlayStrip *open(int gameType, int category)
    {
        objUser.curcat = category;
        if (!Screens::showPlay(gameType))
            return nullptr;
        auto *screen = qobject_cast<frmPlayStrip *>(QApplication::activeWindow());
        if (!screen) {
            for (QWidget *window : QApplication::topLevelWidgets())
                screen = screen ? screen : qobject_cast<frmPlayStrip *>(window);
        }
        if (screen && !ScreenSupport::settled(screen))
            qWarning("the play screen did not become active");
        return screen;
    }

    static QScrollBar *hsMain(QWidget *screen) { return screen->findChild<QScrollBar *>("hsMain"); }
    static QWidget *picHost(QWidget *screen) { return screen->findChild<QWidget *>("picHost"); }
    static QString text(QWidget *screen, const char *name)
    {
        return screen->findChild<QLabel *>(QLatin1String(name))->text();
    }
    static bool shown(QWidget *screen, const char *name)
    {
        return screen->findChild<QWidget *>(QLatin1String(name))->isVisible();
    }

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
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<QStringList>("positions");
        QTest::addColumn<QString>("time"); // after one tick: Bonus had 100 s, Puzzle 200 s
        QTest::newRow("Bonus, 24 pictures")
            << int(mdlConst::Bonus) << Animali << "Bonus: Animali" << 5006 << 4368
            << QStringList {"1 - 3", "4 - 6", "7 - 9", "10 - 12", "13 - 15", "16 - 18", "19 - 21", "22 - 24"}
            << "0:01:41";
        QTest::newRow("Puzzle, 11 pictures")
            << int(mdlConst::Puzzle) << Missing << "Puzzle: Missing" << 2302 << 1664
            << QStringList {"1 - 3", "4 - 6", "7 - 9", "9 - 11"} << "0:03:21";
    }
    void eachVariantWalksItsStripAndCountsItsOwnTime()
    {
        QFETCH(int, gameType);
        QFETCH(int, category);
        QFETCH(QString, caption);
        QFETCH(int, width);
        QFETCH(int, maximum);
        QFETCH(QStringList, positions);
        QFETCH(QString, time);
        objUser.setTime(mdlConst::Bonus, 100);
        objUser.setTime(mdlConst::Puzzle, 200);
        frmPlayStrip *screen = open(gameType, category);
        QVERIFY(screen);
        QCOMPARE(screen->windowTitle(), caption);
        QCOMPARE(screen->gameType(), gameType);
        QVERIFY2(m_content->tempPictures().isEmpty(), qPrintable(m_content->tempPictures().join(' ')));
        QCOMPARE(picHost(screen)->width(), width);
        QCOMPARE(hsMain(screen)->maximum(), maximum);
        QCOMPARE(text(screen, "lblRisolti"), QStringLiteral("0/%1").arg(screen->cellCount()));

        clickAt(screen, "fraInfo");
        QVERIFY(!screen->panel()->isVisible());
        QVERIFY(screen->tmrTime()->isActive());
        clickAt(screen, "imgBack"); // covered at the start
        QCOMPARE(hsMain(screen)->value(), 0);
        for (int step = 0; step < positions.size(); ++step) {
            QCOMPARE(text(screen, "lblPos"), positions[step]);
            QCOMPARE(picHost(screen)->x(), -hsMain(screen)->value());
            QCOMPARE(shown(screen, "imgBackMask"), step == 0);
            QCOMPARE(shown(screen, "imgNextMask"), step == positions.size() - 1);
            clickAt(screen, "imgNext");
        }
        QCOMPARE(hsMain(screen)->value(), maximum); // covered at the end
        QCOMPARE(text(screen, "lblPos"), positions.last());

        screen->tick();
        QCOMPARE(text(screen, "lblTime"), time);
        QCOMPARE(objUser.Time(mdlConst::Bonus) + objUser.Time(mdlConst::Puzzle), 301);
    }

    void thePanelPutsTheCaretInBoxOneEvenWhenItIsSolved()
    {
        m_content->solve(Animali, 1, 1);
        frmPlayStrip *screen = open(mdlConst::Bonus, Animali);
        QVERIFY(screen);
        QWidget *elsewhere = screen->cell(2).txtTitle;
        elsewhere->setFocus();
        clickAt(screen, "lblMessage");
        QVERIFY(screen->cell(1).txtTitle->isSolved());
        QTRY_VERIFY(screen->cell(1).txtTitle->hasFocus());
        QVERIFY(screen->tmrTime()->isActive());
    }

    void tabBringsAHiddenBoxIntoView()
    {
        frmPlayStrip *screen = open(mdlConst::Bonus, Animali);
        QVERIFY(screen);
        clickAt(screen, "fraInfo");
        QTRY_VERIFY(screen->cell(1).txtTitle->hasFocus());
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(screen->cell(4).txtTitle->hasFocus());
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("4 - 6"));
        QTest::keyClicks(screen->cell(4).txtTitle, QStringLiteral("film 4"));
        QVERIFY(screen->cell(4).txtTitle->isSolved());
        QCOMPARE(text(screen, "lblRisolti"), QStringLiteral("1/24"));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("1 - 3"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab); // round to the last box
        QVERIFY(screen->cell(24).txtTitle->hasFocus());
        QCOMPARE(hsMain(screen)->value(), 4368);
        QCOMPARE(picHost(screen)->x(), -4368);
    }

    void aStripOfTwoPicturesStaysPut()
    {
        frmPlayStrip *screen = open(mdlConst::Bonus, Maschere);
        QVERIFY(screen);
        QCOMPARE(hsMain(screen)->maximum(), hsMain(screen)->minimum());
        QVERIFY(shown(screen, "imgBackMask") && shown(screen, "imgNextMask"));
        QCOMPARE(text(screen, "lblPos"), QStringLiteral("1 - 2"));
        clickAt(screen, "fraInfo");
        screen->imgNext_Click();
        QCOMPARE(picHost(screen)->x(), 0);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QVERIFY(screen->cell(2).txtTitle->hasFocus());
        QCOMPARE(picHost(screen)->x(), 0);
    }

    void aCategoryThatCannotBeShownGoesBackUntouched_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("expected");
        QTest::newRow("158 pictures") << "count"
                                      << "al massimo 157";
        QTest::newRow("picture that does not decode") << "garbled"
                                                      << "10000004";
        QTest::newRow("page list without fields") << "list"
                                                  << "~temp.tmp";
    }
    void aCategoryThatCannotBeShownGoesBackUntouched()
    {
        QFETCH(QString, damage);
        QFETCH(QString, expected);
        if (damage == QLatin1String("count")) {
            QVector<int> counts = Counts;
            counts[Animali - 1] = 158;
            makeContent(counts);
        }
        if (damage == QLatin1String("garbled")) {
            QByteArray bytes = m_content->read(QStringLiteral("Data/0010.lvd"));
            int fourth = PlayFixture::Header;
            for (int p = 1; p <= 3; ++p)
                fourth += int(m_content->content.picture(p).size());
            bytes.replace(fourth, 16, QByteArray(16, '\0'));
            m_content->put(QStringLiteral("Data/0010.lvd"), bytes);
        }
        const QByteArray profile = m_content->read(QStringLiteral("User/Mario.lmp"));
        MessageRecorder messages(true);

        objUser.curcat = Animali;
        QPointer<frmPlayStrip> screen = new frmPlayBonus;
        if (damage == QLatin1String("list")) {
            m_content->put(QStringLiteral("Temp/~temp.tmp"), "10:00:0001\r\n");
            m_content->put(QStringLiteral("Temp/0001.tmp"), PlayFixture::picture(1));
            QVERIFY(!screen->LoadStrip());
        } else {
            QVERIFY(!screen->load());
        }
        QCOMPARE(messages.shown.size(), 1);
        QVERIFY2(messages.lastText().contains(expected), qPrintable(messages.lastText()));
        QTRY_VERIFY(screen.isNull());
        QCOMPARE(m_content->read(QStringLiteral("User/Mario.lmp")), profile);
        QVERIFY(m_content->tempPictures().isEmpty());
    }
};

QTEST_MAIN(tst_play_frmPlayStrip)
#include "tst_play_frmPlayStrip.moc"
