#pragma once

#include "widgets/GameScreen.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

// The screens the navigator opens, each made when it is needed. The game's own set is
// GameScreens; a test can hand in stand-ins.
struct ScreenSet {
    std::function<GameScreen *()> login;
    std::function<GameScreen *()> menu;
    // The category selection screen of a game type; null when the game type has none.
    std::function<GameScreen *(int gameType)> selection;
    // The play screen of a game type on a category (Game::AlphaCategory for Alpha); null when the
    // game type has none.
    std::function<GameScreen *(int gameType, int category)> play;
    // The download window of a category, modal over `over`.
    std::function<void(int category, QWidget *over)> download;
    // A page of the game's site in the web window; `settled` is called once what the page changes
    // in the game is known (the site took the times, or did not).
    std::function<void(WebPage page, std::function<void()> settled)> web;
};

// The hand-overs between screens. Screens announce what the player chose; the navigator opens
// the next screen and closes or hides the one that asked, so one main window is on screen at a
// time and the game ends when the player closes the last one. Each screen exists at most once.
class Navigator : public QObject
{
    Q_OBJECT
public:
    explicit Navigator(ScreenSet screens, QObject *parent = nullptr);

    // The login window, where the game starts.
    void start();

private:
    void showMenu();
    void chooseGameType(int gameType);
    // Opens the play screen; false when it could not (the player was told why by the screen).
    bool showPlay(int gameType, int category);
    void chooseCategory(GameScreen *selection, int gameType, int category);
    // A play screen closed: its selection screen comes back and rebuilds its grid, or, for Alpha or
    // a selection screen that is gone, the menu.
    void returnFromPlay(int gameType);
    void selectionClosed(GameScreen *selection);
    // Connects what every screen may announce.
    void follow(GameScreen *screen);

    ScreenSet m_screens;
    QPointer<GameScreen> m_login;
    QPointer<GameScreen> m_menu;
    std::map<int, QPointer<GameScreen>> m_selections;
    std::map<int, QPointer<GameScreen>> m_plays;
};
