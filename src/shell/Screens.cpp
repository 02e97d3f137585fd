#include "shell/Screens.h"

#include "base/Messages.h"
#include "base/SiteAddress.h"
#include "base/mdlConst.h"
#include "content/frmDownload.h"
#include "play/frmPlayAlpha.h"
#include "play/frmPlayClassic.h"
#include "play/frmPlayStrip.h"
#include "profile/clsUser.h"
#include "select/CategorySelection.h"
#include "shell/WebCompanion.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <functional>
#include <map>

namespace Screens {

namespace {
// A new screen opens in the middle of the desktop, where the one before it was.
template<typename Screen> Screen *centred(Screen *screen)
{
    if (const QScreen *desktop = QGuiApplication::primaryScreen()) {
        const QRect area = desktop->availableGeometry();
        screen->move(area.center() - QPoint(screen->width() / 2, screen->height() / 2));
    }
    return screen;
}

template<typename Screen> Screen *single(QPointer<Screen> &instance)
{
    if (!instance)
        instance = centred(new Screen);
    return instance;
}

QPointer<frmSplash> splash;
QPointer<frmMain> menu;
// One selection screen and at most one play screen per game type.
std::map<int, QPointer<CategorySelection>> selections;
std::map<int, QPointer<GameScreen>> plays;

using SelectionFactory = std::function<CategorySelection *()>;
const std::map<int, SelectionFactory> &selectionFactories()
{
    static const std::map<int, SelectionFactory> table = {
        {mdlConst::Classic, [] { return new frmClassic; }},
        {mdlConst::Bonus, [] { return new frmBonus; }},
        {mdlConst::Puzzle, [] { return new frmPuzzle; }},
    };
    return table;
}

using PlayFactory = std::function<GameScreen *()>;
const std::map<int, PlayFactory> &playFactories()
{
    static const std::map<int, PlayFactory> table = {
        {mdlConst::Classic, [] { return new frmPlayClassic; }},
        {mdlConst::Alpha, [] { return new frmPlayAlpha; }},
        {mdlConst::Bonus, [] { return new frmPlayBonus; }},
        {mdlConst::Puzzle, [] { return new frmPlayPuzzle; }},
    };
    return table;
}
} // namespace

void showLogin()
{
    single(splash)->show();
}

void showMenu()
{
    single(menu)->load();
}

void showSelection(int gameType)
{
    const auto factory = selectionFactories().find(gameType);
    if (factory == selectionFactories().end())
        return;
    QPointer<CategorySelection> &screen = selections[gameType];
    if (!screen)
        screen = centred(factory->second());
    screen->load();
}

bool showPlay(int gameType)
{
    const auto factory = playFactories().find(gameType);
    if (factory == playFactories().end()) {
        Messages::notify(QStringLiteral("Questa parte del gioco non è ancora disponibile."));
        return false;
    }
    // Every game gets a screen of its own, built for the category chosen.
    QPointer<GameScreen> &screen = plays[gameType];
    if (screen)
        screen->close();
    screen = centred(factory->second());
    return screen->load();
}

void returnFromPlay(int gameType)
{
    plays[gameType] = nullptr;
    const auto selection = selections.find(gameType);
    if (selection == selections.end() || !selection->second) {
        // Alpha, or a selection screen that is gone: the menu is the way back. A menu that is
        // still on show (the play screen could not open) is simply kept.
        showMenu();
        return;
    }
    // Shown again, it rebuilds its grid when it becomes the active window; hiding the play
    // screen need not give the activation back by itself.
    selection->second->show();
    selection->second->activateWindow();
}

void screenClosed(QWidget *screen)
{
    if (splash == screen)
        splash = nullptr;
    if (menu == screen)
        menu = nullptr;
    for (auto &selection : selections) {
        if (selection.second == screen)
            selection.second = nullptr;
    }
}

void showDownload(int group)
{
    auto *window = new frmDownload(menu);
    window->strGruppo = QString::number(group);
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
}

void showForum()
{
    WebCompanion::open(SiteAddress::forumPage());
}

void sendRecord()
{
    const std::array<qint32, 4> times = {objUser.Time(mdlConst::Classic), objUser.Time(mdlConst::Bonus),
                                         objUser.Time(mdlConst::Alpha), objUser.Time(mdlConst::Puzzle)};
    // Marked as sent only once the site has them: an offline player is offered the record again.
    WebCompanion::sendRecord(objUser.user(), times, [](bool taken) {
        if (taken)
            objUser.setRecord(1);
    });
}

} // namespace Screens
