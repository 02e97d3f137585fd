#include "shell/Navigator.h"

#include "base/GameTypes.h"

Navigator::Navigator(ScreenSet screens, QObject *parent)
    : QObject(parent)
    , m_screens(std::move(screens))
{ }

void Navigator::follow(GameScreen *screen)
{
    connect(screen, &GameScreen::gameTypeChosen, this, &Navigator::chooseGameType);
    connect(screen, &GameScreen::categoryChosen, this,
            [this, screen](int gameType, int category) { chooseCategory(screen, gameType, category); });
    connect(screen, &GameScreen::downloadChosen, this, [this, screen](int category) {
        if (m_screens.download)
            m_screens.download(category, screen);
    });
    connect(screen, &GameScreen::webPageChosen, this, [this](WebPage page) {
        // The menu shows at once what the site's answer changed.
        if (m_screens.web)
            m_screens.web(page, [menu = m_menu] {
                if (menu)
                    menu->refresh();
            });
    });
}

void Navigator::start()
{
    if (!m_login) {
        m_login = m_screens.login();
        follow(m_login);
        connect(m_login, &GameScreen::loggedIn, this, [this] {
            showMenu();
            m_login->close();
        });
    }
    m_login->open();
}

void Navigator::showMenu()
{
    if (!m_menu) {
        m_menu = m_screens.menu();
        follow(m_menu);
    }
    m_menu->open();
}

void Navigator::chooseGameType(int gameType)
{
    if (gameType == Game::Alpha) {
        if (showPlay(Game::Alpha, Game::AlphaCategory) && m_menu)
            m_menu->close();
        return;
    }
    QPointer<GameScreen> &selection = m_selections[gameType];
    if (!selection) {
        GameScreen *made = m_screens.selection(gameType);
        if (!made)
            return;
        selection = made;
        follow(selection);
        connect(selection, &GameScreen::closed, this, [this, made] { selectionClosed(made); });
    }
    selection->open();
    if (m_menu)
        m_menu->close();
}

void Navigator::chooseCategory(GameScreen *selection, int gameType, int category)
{
    // The play screen opens first: one that cannot (a damaged pack) tells the player so over the
    // selection screen, which stays.
    if (showPlay(gameType, category))
        selection->hide();
}

bool Navigator::showPlay(int gameType, int category)
{
    // Every game gets a screen of its own, built for the category chosen.
    QPointer<GameScreen> &play = m_plays[gameType];
    if (play)
        play->close();
    GameScreen *made = m_screens.play(gameType, category);
    if (!made)
        return false;
    play = made;
    follow(play);
    connect(play, &GameScreen::closed, this, [this, gameType] { returnFromPlay(gameType); });
    return play->open();
}

void Navigator::returnFromPlay(int gameType)
{
    m_plays[gameType] = nullptr;
    const QPointer<GameScreen> selection = m_selections[gameType];
    if (!selection) {
        // Alpha, or a selection screen that is gone: the menu is the way back. A menu that is
        // still on show (the play screen could not open) is simply kept.
        showMenu();
        return;
    }
    // Shown again, it rebuilds its grid when it becomes the active window; hiding the play
    // screen need not give the activation back by itself.
    selection->show();
    selection->activateWindow();
}

void Navigator::selectionClosed(GameScreen *selection)
{
    // The player closing the screen goes back to the menu, which opens before this screen goes
    // so that the game never finds itself without a window. A hidden screen closed as the
    // program winds down just goes.
    if (selection->isVisible())
        showMenu();
}
