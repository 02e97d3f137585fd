#include "shell/GameScreens.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "base/SiteAddress.h"
#include "play/AlphaPlayScreen.h"
#include "play/ClassicPlayScreen.h"
#include "play/StripPlayScreen.h"
#include "profile/GameSession.h"
#include "select/CategorySelection.h"
#include "shell/DownloadWindow.h"
#include "shell/LoginWindow.h"
#include "shell/MenuScreen.h"
#include "shell/WebCompanion.h"
#include "widgets/Messages.h"

#include <QDir>

namespace {
GameScreen *selectionOf(GameSession &session, int gameType)
{
    switch (gameType) {
    case Game::Classic:
        return new ClassicSelection(session.profile());
    case Game::Bonus:
        return new BonusSelection(session.profile());
    case Game::Puzzle:
        return new PuzzleSelection(session.profile());
    default:
        return nullptr;
    }
}

GameScreen *playOf(GameSession &session, int gameType, int category)
{
    switch (gameType) {
    case Game::Classic:
        return new ClassicPlayScreen(session.profile(), category);
    case Game::Bonus:
        return new BonusPlayScreen(session.profile(), category);
    case Game::Puzzle:
        return new PuzzlePlayScreen(session.profile(), category);
    case Game::Alpha:
        return new AlphaPlayScreen(session.profile());
    default:
        return nullptr;
    }
}

void openDownload(GameSession &session, int category, QWidget *over)
{
    auto *window = new DownloadWindow(session.categories(), category, over);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
}

// Sends the player's name and times to the site; they count as sent once the site has taken them,
// so an offline player is offered the record again.
void sendRecord(Profile &profile)
{
    const std::array<qint32, 4> times = {profile.playTime(Game::Classic), profile.playTime(Game::Bonus),
                                         profile.playTime(Game::Alpha), profile.playTime(Game::Puzzle)};
    WebCompanion::sendRecord(profile.name(), times, [&profile](bool taken) {
        if (taken)
            profile.setTimesSent(true);
    });
}

void openWebPage(GameSession &session, WebPage page)
{
    switch (page) {
    case WebPage::Forum:
        WebCompanion::open(SiteAddress::forumPage());
        break;
    case WebPage::Ranking:
        WebCompanion::open(SiteAddress::rankingPage());
        break;
    case WebPage::Record:
        sendRecord(session.profile());
        break;
    }
}
} // namespace

ScreenSet gameScreens(GameSession &session)
{
    ScreenSet screens;
    screens.login = [&session] { return new LoginWindow(session.profile()); };
    screens.menu = [&session] { return new MenuScreen(session.profile()); };
    screens.selection = [&session](int gameType) { return selectionOf(session, gameType); };
    screens.play = [&session](int gameType, int category) { return playOf(session, gameType, category); };
    screens.download = [&session](int category, QWidget *over) { openDownload(session, category, over); };
    screens.web = [&session](WebPage page) { openWebPage(session, page); };
    return screens;
}
