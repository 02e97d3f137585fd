// The game-type menu as the player meets it: what it offers at each stage of the profile, where
// the keyboard goes on it, and the hand-overs to and from it with the game's own screens.

#include "select/SelectionContent.h"
#include "shell/GameScreens.h"
#include "widgets/KeyboardFocus.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest>

using namespace ScreenSupport;

class tst_MenuScreen : public QObject
{
    Q_OBJECT

    std::unique_ptr<SelectionContent::Player> m_player;
    std::unique_ptr<ExpectedMessages> m_messages;
    std::unique_ptr<Navigator> m_navigator;
    QPointer<QWidget> m_menu;

    // The game's own screens from the login to the menu, Bonus, Alpha and Puzzle in these states.
    bool openMenu(const QVector<int> &stage)
    {
        Profile &profile = m_player->game.profile();
        for (int k = 0; k < 3; ++k)
            profile.setGameTypeState(QVector<int> {Game::Bonus, Game::Alpha, Game::Puzzle}[k],
                                     Game::GameTypeState(stage[k]));
        m_navigator = std::make_unique<Navigator>(gameScreens(m_player->game.session));
        m_navigator->start();
        emit qobject_cast<GameScreen *>(visibleTopLevel(QStringLiteral("frmSplash")))->loggedIn();
        m_menu = visibleTopLevel(QStringLiteral("frmMain"));
        return m_menu && settled(m_menu);
    }
    // A key as the player presses it: to the control with the focus.
    static void press(int key) { QTest::keyClick(QApplication::focusWidget(), Qt::Key(key)); }
    static QString focused() { return QApplication::focusWidget()->objectName(); }
    QWidget *control(const QString &name) const { return m_menu->findChild<QWidget *>(name); }

private slots:
    void init()
    {
        m_player = std::make_unique<SelectionContent::Player>();
        QVERIFY(m_player->loggedIn);
        m_messages = std::make_unique<ExpectedMessages>();
    }
    void cleanup()
    {
        closeEveryWindow();
        m_navigator.reset();
        QCOMPARE(m_messages->missing(), QString());
        m_messages.reset();
        m_player.reset();
    }

    // Tab goes round what a click reaches, in reading order; "Record!" blinks while it is there.
    void tabGoesRoundWhatAClickReaches_data()
    {
        QTest::addColumn<QVector<int>>("stage");
        QTest::addColumn<QString>("order");
        QTest::newRow("Bonus and Puzzle open")
            << QVector<int> {1, 0, 1} << "imgClassic imgPuzzle ImgBonus imgIncontri lblUpdate";
        QTest::newRow("all completed, times not sent")
            << QVector<int> {2, 2, 2, 0}
            << "imgClassic imgPuzzle ImgAlpha ImgBonus imgCustom lblRecord lblUpdate";
    }
    void tabGoesRoundWhatAClickReaches()
    {
        QFETCH(QVector<int>, stage);
        QFETCH(QString, order);
        QVERIFY(openMenu(stage));
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
        QCOMPARE(m_menu->findChild<QTimer *>(QStringLiteral("tmrRecord"))->isActive(),
                 order.contains("lblRecord"));
    }

    // The arrows keep to the game types as they stand; the banner and the links come only downwards.
    void arrowsKeepToTheGameTypes_data()
    {
        QTest::addColumn<int>("groups"); // Bonus, Alpha and Puzzle all in this state
        QTest::addColumn<QString>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("to");
        const auto row = [](const char *name, int groups, const char *from, int key, const char *to) {
            QTest::newRow(name) << groups << QString(from) << key << QString(to);
        };
        row("not to the link beside a locked one", 0, "imgClassic", Qt::Key_Right, "imgClassic");
        row("not up to the link", 1, "imgPuzzle", Qt::Key_Up, "imgPuzzle");
        row("from the bottom row to the banner", 1, "ImgAlpha", Qt::Key_Down, "imgIncontri");
        row("past a locked one to the banner", 0, "imgClassic", Qt::Key_Down, "imgIncontri");
        row("from the banner round to the links", 1, "imgIncontri", Qt::Key_Down, "lblUpdate");
        row("from the links down to the game types", 1, "lblUpdate", Qt::Key_Down, "imgPuzzle");
        row("nothing that way", 1, "imgClassic", Qt::Key_Left, "imgClassic");
    }
    void arrowsKeepToTheGameTypes()
    {
        QFETCH(int, groups);
        QFETCH(QString, from);
        QFETCH(int, key);
        QFETCH(QString, to);
        QVERIFY(openMenu({groups, groups, groups}));
        control(from)->setFocus();
        press(key);
        QCOMPARE(focused(), to);
    }

    // Back from a game type's screens, the menu has the picture the player opened in focus.
    void theMenuComesBackToTheGameTypeOpened()
    {
        QVERIFY(openMenu({1, 0, 1}));
        press(Qt::Key_Right);
        press(Qt::Key_Down);
        press(Qt::Key_Return);
        QVERIFY(settled(visibleTopLevel(QStringLiteral("frmBonus"))));
        QTest::keyClick(visibleTopLevel(QStringLiteral("frmBonus")), Qt::Key_Escape);
        QVERIFY(settled(visibleTopLevel(QStringLiteral("frmMain"))));
        QCOMPARE(focused(), QStringLiteral("ImgBonus"));
    }

    // A category whose pack is damaged says so, and its selection screen stays where it was.
    void aCategoryThatCannotOpenLeavesItsSelectionScreen()
    {
        TinyContent::put(m_player->game, QStringLiteral("Data/0001.lvd"), "not a pack");
        QVERIFY(openMenu({0, 0, 0}));
        press(Qt::Key_Return);
        QVERIFY(settled(visibleTopLevel(QStringLiteral("frmClassic"))));
        m_messages->expect(QStringLiteral("0001.lvd"));
        press(Qt::Key_Return);
        QTRY_VERIFY(visibleTopLevel(QStringLiteral("frmClassic")));
        QVERIFY(!visibleTopLevel(QStringLiteral("frmPlayClassic")));
    }

    // The open information panel takes the keyboard from the pictures under it; Escape closes it.
    void theInfoPanelTakesTheKeyboard()
    {
        QVERIFY(openMenu({0, 0, 0}));
        control(QStringLiteral("lblUpdate"))->setFocus();
        press(Qt::Key_Space);
        QCOMPARE(focused(), QStringLiteral("lblGruppo_1"));
        QVERIFY(!KeyboardFocus::reachable(m_menu).contains(control(QStringLiteral("imgClassic"))));
        for (QLabel *label : m_menu->findChildren<QLabel *>()) {
            for (const char *misspelt : {"files", "perchè", "E' "})
                QVERIFY2(!label->text().contains(QString::fromUtf8(misspelt)), qPrintable(label->text()));
        }
        press(Qt::Key_Escape);
        QVERIFY(!control(QStringLiteral("fraInfo"))->isVisible());
        QCOMPARE(focused(), QStringLiteral("lblUpdate"));
    }
};

QTEST_MAIN(tst_MenuScreen)
#include "tst_MenuScreen.moc"
