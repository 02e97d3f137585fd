#include "shell/Screens.h"

#include "play/frmPlayClassic.h"
#include "select/CategorySelection.h"
#include "shell/Messages.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "shell/mdlConst.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

namespace Screens {

namespace {
// A new screen opens in the middle of the desktop, where the one before it was.
void centre(QWidget *screen)
{
    if (const QScreen *desktop = QGuiApplication::primaryScreen()) {
        const QRect area = desktop->availableGeometry();
        screen->move(area.center() - QPoint(screen->width() / 2, screen->height() / 2));
    }
}

template<typename Screen> Screen *single(QPointer<Screen> &instance)
{
    if (!instance) {
        instance = new Screen;
        centre(instance);
    }
    return instance;
}

QPointer<frmSplash> splash;
QPointer<frmMain> menu;
QPointer<frmClassic> classicSelection;
QPointer<frmBonus> bonusSelection;
QPointer<frmPuzzle> puzzleSelection;
QPointer<frmPlayClassic> classicPlay;

CategorySelection *selection(int gameType)
{
    switch (gameType) {
    case mdlConst::Classic:
        return classicSelection;
    case mdlConst::Bonus:
        return bonusSelection;
    case mdlConst::Puzzle:
        return puzzleSelection;
    default:
        return nullptr;
    }
}

template<typename Screen> void forget(QPointer<Screen> &instance, QWidget *screen)
{
    if (instance == screen)
        instance = nullptr;
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
    switch (gameType) {
    case mdlConst::Classic:
        single(classicSelection)->load();
        break;
    case mdlConst::Bonus:
        single(bonusSelection)->load();
        break;
    case mdlConst::Puzzle:
        single(puzzleSelection)->load();
        break;
    default:
        break;
    }
}

bool isPlayAvailable(int gameType)
{
    return gameType == mdlConst::Classic;
}

void showPlay(int gameType)
{
    if (gameType == mdlConst::Classic) {
        single(classicPlay)->load();
        return;
    }
    // The player goes back to where the choice was made.
    if (gameType != mdlConst::Alpha)
        returnFromPlay(gameType);
    showNotAvailable();
}

void returnFromPlay(int gameType)
{
    // The play screen calls this as it closes: the next game needs a new one.
    if (gameType == mdlConst::Classic)
        classicPlay = nullptr;
    CategorySelection *screen = selection(gameType);
    if (!screen) {
        // Alpha, or a selection screen that is gone: the menu is the way back. A menu that is
        // still on show (Alpha offered from it) is simply kept.
        showMenu();
        return;
    }
    // Shown again, it rebuilds its grid when it becomes the active window; hiding the play
    // screen need not give the activation back by itself.
    screen->show();
    screen->activateWindow();
}

void showNotAvailable()
{
    Messages::notify(QStringLiteral("Questa parte del gioco non è ancora disponibile."));
}

void screenClosed(QWidget *screen)
{
    forget(splash, screen);
    forget(menu, screen);
    forget(classicSelection, screen);
    forget(bonusSelection, screen);
    forget(puzzleSelection, screen);
}

void showDownload(int)
{
    showNotAvailable();
}

void showForum()
{
    showNotAvailable();
}

bool sendRecord()
{
    showNotAvailable();
    return false;
}

} // namespace Screens
