// The game-type menu as the player meets it: what it shows for each stage of the profile and
// where its pictures and links lead.

#include "ScreenSupport.h"
#include "TestSupport.h"
#include "profile/Profile.h"
#include "select/SelectionContent.h"
#include "shell/MenuScreen.h"
#include "widgets/KeyboardFocus.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace ScreenSupport;

class tst_MenuScreen : public QObject
{
    Q_OBJECT

    std::unique_ptr<SelectionContent::Player> m_player;
    GameFolderFixture *m_game = nullptr;
    MessageRecorder *m_messages = nullptr;
    QPointer<MenuScreen> m_menu;

    MenuScreen *openMenu()
    {
        m_menu = new MenuScreen(m_game->profile());
        m_menu->open();
        return m_menu;
    }
    // The menu as the keyboard finds it: the active window.
    bool openActive() { return openMenu() && QTest::qWaitForWindowActive(m_menu); }

    // A key as the player presses it: to the control with the focus.
    static void press(int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); }
    static QString focused()
    {
        return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    }

    template<typename T = QWidget> T *control(const QString &name) const
    {
        return m_menu->findChild<T *>(name);
    }

    // A click where the control lies: whatever is on top there takes it.
    void clickPlaceOf(const QString &name)
    {
        QVERIFY2(ScreenSupport::clickPlaceOf(m_menu.data(), name), qPrintable(name));
    }

    void setGroups(int bonus, int alpha, int puzzle)
    {
        m_game->profile().setGameTypeState(Game::Bonus, Game::GameTypeState(bonus));
        m_game->profile().setGameTypeState(Game::Alpha, Game::GameTypeState(alpha));
        m_game->profile().setGameTypeState(Game::Puzzle, Game::GameTypeState(puzzle));
    }

private slots:
    void initTestCase()
    {
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    }

    void init()
    {
        m_player = std::make_unique<SelectionContent::Player>();
        QVERIFY(m_player->loggedIn);
        m_game = &m_player->game;
        m_messages = &m_player->messages;
    }

    void cleanup()
    {
        closeEveryWindow();
        m_player.reset();
    }

    // Masks cover the locked game types; the custom banner covers Incontri once Puzzle is
    // completed, and the record label blinks while the times are unsent.
    void menuFollowsTheProfile_data()
    {
        QTest::addColumn<int>("bonus");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("puzzle");
        QTest::newRow("new player") << 0 << 0 << 0;
        QTest::newRow("Alpha and Puzzle open") << 2 << 1 << 1;
        QTest::newRow("all completed, times not sent") << 2 << 2 << 2;
    }
    void menuFollowsTheProfile()
    {
        QFETCH(int, bonus);
        QFETCH(int, alpha);
        QFETCH(int, puzzle);
        const bool recordLabel = puzzle == 2; // a new profile's times are unsent
        setGroups(bonus, alpha, puzzle);
        QVERIFY(openMenu());
        // Whatever lies on top at a picture's place is what a click reaches.
        const QVector<std::tuple<QString, QString, bool>> pairs
            = {{QStringLiteral("ImgBnMask"), QStringLiteral("ImgBonus"), bonus == 0},
               {QStringLiteral("imgAlMask"), QStringLiteral("ImgAlpha"), alpha == 0},
               {QStringLiteral("imgPzMask"), QStringLiteral("imgPuzzle"), puzzle == 0},
               {QStringLiteral("imgCustom"), QStringLiteral("imgIncontri"), puzzle == 2},
               {QString(), QStringLiteral("imgClassic"), false}};
        for (const auto &[cover, picture, covered] : pairs) {
            if (!cover.isEmpty())
                QCOMPARE(control(cover)->isVisible(), covered);
            QCOMPARE(m_menu->childAt(control(picture)->geometry().center()),
                     control(covered ? cover : picture));
        }
        QCOMPARE(control(QStringLiteral("lblRecord"))->isVisible(), recordLabel);
        QCOMPARE(control<QTimer>(QStringLiteral("tmrRecord"))->isActive(), recordLabel);
    }

    // The record is sent only on Yes; the times count as sent only when the site took them,
    // which the menu shows the next time it opens.
    void recordLabelAsksBeforeSending_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("answer no") << false;
        QTest::newRow("answer yes") << true;
    }
    void recordLabelAsksBeforeSending()
    {
        QFETCH(bool, yes);
        setGroups(2, 2, 2);
        QVERIFY(openMenu());
        QSignalSpy chosen(m_menu.data(), &GameScreen::webPageChosen);
        m_messages->answer(yes);
        clickPlaceOf(QStringLiteral("lblRecord"));
        QCOMPARE(m_messages->shown.size(), 1);
        QCOMPARE(m_messages->shown.first().kind, Messages::Kind::Question);
        QCOMPARE(chosen.count(), yes ? 1 : 0);
        if (yes)
            QCOMPARE(chosen.first().first().value<WebPage>(), WebPage::Record);
        // Answering no keeps the label blinking.
        QCOMPARE(control(QStringLiteral("lblRecord"))->isVisible(), !yes);
        QCOMPARE(control<QTimer>(QStringLiteral("tmrRecord"))->isActive(), !yes);
        m_game->profile().setTimesSent(true);
        m_menu->open();
        QVERIFY(!control(QStringLiteral("lblRecord"))->isVisible());
        // Once the times are sent, the ranking stands where the record label stood.
        clickPlaceOf(QStringLiteral("lblClassifica"));
        QCOMPARE(chosen.last().first().value<WebPage>(), WebPage::Ranking);
    }

    // The keyboard reaches what a click reaches: from the first open game type Tab goes round in
    // reading order, past locked pictures and the forum banner under the custom one.
    void tabGoesRoundWhatAClickReaches_data()
    {
        QTest::addColumn<QVector<int>>("stage"); // Bonus, Alpha, Puzzle, times sent
        QTest::addColumn<QString>("order");
        QTest::newRow("new player") << QVector<int> {0, 0, 0, 0}
                                    << QStringLiteral("imgClassic imgIncontri lblUpdate");
        QTest::newRow("Bonus and Puzzle open")
            << QVector<int> {1, 0, 1, 0}
            << QStringLiteral("imgClassic imgPuzzle ImgBonus imgIncontri lblUpdate");
        QTest::newRow("all completed, times not sent")
            << QVector<int> {2, 2, 2, 0}
            << QStringLiteral("imgClassic imgPuzzle ImgAlpha ImgBonus imgCustom lblRecord lblUpdate");
        QTest::newRow("times sent") << QVector<int> {
            2, 2, 2,
            1} << QStringLiteral("imgClassic imgPuzzle ImgAlpha ImgBonus imgCustom lblClassifica lblUpdate");
    }
    void tabGoesRoundWhatAClickReaches()
    {
        QFETCH(QVector<int>, stage);
        QFETCH(QString, order);
        setGroups(stage[0], stage[1], stage[2]);
        m_game->profile().setTimesSent(stage[3] == 1);
        QVERIFY(openActive());
        const QStringList expected = order.split(QLatin1Char(' '));
        QStringList seen;
        for (int i = 0; i <= expected.size(); ++i) {
            seen.append(focused());
            press(Qt::Key_Tab);
        }
        QCOMPARE(seen, expected + QStringList {expected.first()});
        press(Qt::Key_Backtab);
        press(Qt::Key_Backtab);
        QCOMPARE(focused(), expected.last());
    }

    void arrowsGoToTheNearestThatWay_data()
    {
        QTest::addColumn<int>("groups"); // Bonus, Alpha and Puzzle all in this state
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        QTest::newRow("along the row") << 1 << "imgClassic" << int(Qt::Key_Right) << "imgPuzzle";
        QTest::newRow("down the column") << 1 << "imgPuzzle" << int(Qt::Key_Down) << "ImgBonus";
        QTest::newRow("up to the link above") << 1 << "imgPuzzle" << int(Qt::Key_Up) << "lblUpdate";
        QTest::newRow("past a locked picture") << 0 << "imgClassic" << int(Qt::Key_Down) << "imgIncontri";
        QTest::newRow("nothing that way") << 1 << "imgClassic" << int(Qt::Key_Left) << "imgClassic";
    }
    void arrowsGoToTheNearestThatWay()
    {
        QFETCH(int, groups);
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        setGroups(groups, groups, groups);
        QVERIFY(openActive());
        control(from)->setFocus();
        press(key);
        QCOMPARE(focused(), to);
    }

    // Enter or Space is the click of the control with the focus. The open information panel takes
    // the keyboard, the pictures under it are out of reach, and Escape closes it.
    void keysClickAndTheInfoPanelTakesTheKeyboard()
    {
        QVERIFY(openActive());
        QSignalSpy gameTypes(m_menu.data(), &GameScreen::gameTypeChosen);
        QSignalSpy downloads(m_menu.data(), &GameScreen::downloadChosen);
        press(Qt::Key_Return);
        QCOMPARE(gameTypes.count(), 1);
        QCOMPARE(gameTypes.first().first().toInt(), int(Game::Classic));

        control(QStringLiteral("lblUpdate"))->setFocus();
        press(Qt::Key_Space);
        QVERIFY(control(QStringLiteral("fraInfo"))->isVisible());
        QCOMPARE(focused(), QStringLiteral("lblGruppo_1"));
        QVERIFY(!KeyboardFocus::reachable(m_menu).contains(control(QStringLiteral("imgClassic"))));
        press(Qt::Key_Down);
        press(Qt::Key_Right);
        press(Qt::Key_Enter);
        QCOMPARE(downloads.count(), 1);
        QCOMPARE(downloads.first().first().toInt(), 7);
        for (QLabel *label : m_menu->findChildren<QLabel *>()) {
            for (const char *misspelt : {"files", "perchè", "E' "})
                QVERIFY2(!label->text().contains(QString::fromUtf8(misspelt)), qPrintable(label->text()));
        }

        press(Qt::Key_Escape);
        QVERIFY(!control(QStringLiteral("fraInfo"))->isVisible());
        QCOMPARE(focused(), QStringLiteral("lblUpdate"));
        QVERIFY(m_menu->isVisible());
    }

    // Each picture and link announces its choice; the navigator opens what was chosen.
    void picturesAndLinksAnnounceTheirChoice()
    {
        setGroups(2, 1, 1);
        QVERIFY(openMenu());
        QSignalSpy gameTypes(m_menu.data(), &GameScreen::gameTypeChosen);
        QSignalSpy downloads(m_menu.data(), &GameScreen::downloadChosen);
        for (const char *picture : {"imgClassic", "ImgBonus", "ImgAlpha", "imgPuzzle"})
            clickPlaceOf(QLatin1String(picture));
        QCOMPARE(gameTypes.count(), 4);
        QCOMPARE(gameTypes.at(2).first().toInt(), int(Game::Alpha));
        clickPlaceOf(QStringLiteral("lblUpdate"));
        clickPlaceOf(QStringLiteral("lblGruppo_7"));
        QCOMPARE(downloads.count(), 1);
        QCOMPARE(downloads.first().first().toInt(), 7);
    }
};

QTEST_MAIN(tst_MenuScreen)
#include "tst_MenuScreen.moc"
