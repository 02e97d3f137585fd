#include "shell/GameScreens.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "base/SiteAddress.h"
#include "content/DownloadWindow.h"
#include "content/Extraction.h"
#include "play/AlphaPlayScreen.h"
#include "play/ClassicPlayScreen.h"
#include "play/StripPlayScreen.h"
#include "profile/GameSession.h"
#include "select/CategorySelection.h"
#include "shell/LoginWindow.h"
#include "shell/MenuScreen.h"
#include "shell/RecordForm.h"
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

// Writes the record form page with the player's name and times and opens it in the web window,
// which posts it; the times count as sent once the site has answered the post.
void sendRecord(Profile &profile, const WebOpener &openWeb)
{
    const std::array<qint32, 4> times = {profile.playTime(Game::Classic), profile.playTime(Game::Bonus),
                                         profile.playTime(Game::Alpha), profile.playTime(Game::Puzzle)};
    const QString name = QStringLiteral("~record.htm");
    const QString path = tempPath(name);
    // Written beside and renamed over, never through a link left in Temp/.
    if (!writeTempFile(name, RecordForm::page(SiteAddress::recordPage(), profile.name(), times))) {
        Messages::warn(QStringLiteral("Impossibile scrivere la pagina %1: controlla che la cartella Temp si "
                                      "possa scrivere. I tempi non sono stati inviati.")
                           .arg(QDir::toNativeSeparators(path)));
        return;
    }
    // Marked as sent only once the site has them: an offline player is offered the record again.
    openWeb(QDir(path).absolutePath(), [&profile](bool taken) {
        if (taken)
            profile.setTimesSent(true);
    });
}

void openWebPage(GameSession &session, const WebOpener &openWeb, WebPage page)
{
    if (!openWeb) {
        Messages::notify(QStringLiteral("Il browser del gioco non è disponibile: apri %1 nel tuo browser.")
                             .arg(SiteAddress::base().toString()));
        return;
    }
    switch (page) {
    case WebPage::Forum:
        openWeb(SiteAddress::forumPage().toString(), {});
        break;
    case WebPage::Ranking:
        openWeb(SiteAddress::rankingPage().toString(), {});
        break;
    case WebPage::Record:
        sendRecord(session.profile(), openWeb);
        break;
    }
}
} // namespace

ScreenSet gameScreens(GameSession &session, WebOpener openWeb)
{
    ScreenSet screens;
    screens.login = [&session] { return new LoginWindow(session.profile()); };
    screens.menu = [&session] { return new MenuScreen(session.profile()); };
    screens.selection = [&session](int gameType) { return selectionOf(session, gameType); };
    screens.play = [&session](int gameType, int category) { return playOf(session, gameType, category); };
    screens.download = [&session](int category, QWidget *over) { openDownload(session, category, over); };
    screens.web = [&session, openWeb](WebPage page) { openWebPage(session, openWeb, page); };
    return screens;
}
