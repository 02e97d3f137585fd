// The hand-overs between screens, with stand-in screens that only announce: which screen comes
// next for each choice, and which one comes back when a screen closes.

#include "ScreenSupport.h"
#include "base/GameTypes.h"
#include "shell/Navigator.h"

#include <QApplication>
#include <QPointer>
#include <QtTest>

namespace {
// A screen that shows itself, or refuses to open as a damaged category's screen does.
class StandIn : public GameScreen
{
public:
    StandIn(const QString &name, bool opens)
        : GameScreen(name)
        , m_opens(opens)
    {
        setClosesOnEscape(true);
        resize(100, 80);
    }
    bool open() override
    {
        if (m_opens)
            return GameScreen::open();
        close();
        return false;
    }

private:
    bool m_opens;
};
} // namespace

class tst_Navigator : public QObject
{
    Q_OBJECT

    std::unique_ptr<Navigator> m_navigator;
    QStringList m_made;
    QStringList m_asked; // downloads and web pages
    bool m_playOpens = true;

    ScreenSet standIns()
    {
        ScreenSet screens;
        const auto make = [this](const QString &name, bool opens = true) {
            m_made.append(name);
            return new StandIn(name, opens);
        };
        screens.login = [=] { return make(QStringLiteral("login")); };
        screens.menu = [=] { return make(QStringLiteral("menu")); };
        screens.selection = [=](int gameType) -> GameScreen * {
            return gameType == Game::Alpha ? nullptr : make(QStringLiteral("selection %1").arg(gameType));
        };
        screens.play = [=](int gameType, int category) {
            return make(QStringLiteral("play %1 %2").arg(gameType).arg(category), m_playOpens);
        };
        screens.download = [this](int category, QWidget *over) {
            m_asked.append(QStringLiteral("download %1 over %2").arg(category).arg(over->objectName()));
        };
        screens.web = [this](WebPage page) { m_asked.append(QStringLiteral("web %1").arg(int(page))); };
        return screens;
    }

    // The names of the screens on show.
    static QStringList shown()
    {
        QStringList names;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible())
                names.append(widget->objectName());
        }
        names.sort();
        return names;
    }
    static GameScreen *screen(const QString &name)
    {
        return qobject_cast<GameScreen *>(ScreenSupport::visibleTopLevel(name));
    }
    // Lets closed screens go, as the event loop does.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

private slots:
    void init()
    {
        m_made.clear();
        m_asked.clear();
        m_playOpens = true;
        m_navigator = std::make_unique<Navigator>(standIns());
        m_navigator->start();
    }
    void cleanup()
    {
        m_navigator.reset();
        ScreenSupport::closeEveryWindow();
    }

    void loginLeadsToTheMenuAndTheMenuToEachGameType()
    {
        QCOMPARE(shown(), QStringList {QStringLiteral("login")});
        emit screen(QStringLiteral("login"))->loggedIn();
        settle();
        QCOMPARE(shown(), QStringList {QStringLiteral("menu")});

        emit screen(QStringLiteral("menu"))->gameTypeChosen(Game::Bonus);
        settle();
        QCOMPARE(shown(), QStringList {QStringLiteral("selection 2")});
        // Closed by the player (its close box or Escape), a selection screen gives way to the menu.
        QTest::keyClick(screen(QStringLiteral("selection 2")), Qt::Key_Escape);
        settle();
        QCOMPARE(shown(), QStringList {QStringLiteral("menu")});

        // Alpha has no selection screen: its board opens on category 21, and the menu comes back.
        emit screen(QStringLiteral("menu"))->gameTypeChosen(Game::Alpha);
        settle();
        QCOMPARE(shown(), QStringList {QStringLiteral("play 3 21")});
        screen(QStringLiteral("play 3 21"))->close();
        settle();
        QCOMPARE(shown(), QStringList {QStringLiteral("menu")});
    }

    void playHidesItsSelectionScreenWhichComesBackAfterIt()
    {
        emit screen(QStringLiteral("login"))->loggedIn();
        emit screen(QStringLiteral("menu"))->gameTypeChosen(Game::Classic);
        settle();
        emit screen(QStringLiteral("selection 1"))->categoryChosen(Game::Classic, 7);
        settle();
        QCOMPARE(shown(), QStringList {QStringLiteral("play 1 7")});
        QTest::keyClick(screen(QStringLiteral("play 1 7")), Qt::Key_Escape);
        settle();
        QCOMPARE(shown(), QStringList {QStringLiteral("selection 1")});
        QCOMPARE(m_made.count(QStringLiteral("selection 1")), 1);

        // A category that cannot be shown leaves the selection screen where it was.
        m_playOpens = false;
        emit screen(QStringLiteral("selection 1"))->categoryChosen(Game::Classic, 3);
        settle();
        QCOMPARE(shown(), QStringList {QStringLiteral("selection 1")});
    }

    void downloadsAndWebPagesGoWhereTheyWereAskedFor()
    {
        emit screen(QStringLiteral("login"))->loggedIn();
        settle();
        emit screen(QStringLiteral("menu"))->downloadChosen(7);
        emit screen(QStringLiteral("menu"))->webPageChosen(WebPage::Record);
        QCOMPARE(m_asked, (QStringList {QStringLiteral("download 7 over menu"), QStringLiteral("web 2")}));
        QCOMPARE(shown(), QStringList {QStringLiteral("menu")});
    }
};

QTEST_MAIN(tst_Navigator)
#include "tst_Navigator.moc"
