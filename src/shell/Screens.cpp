#include "shell/Screens.h"

#include "shell/Messages.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"

#include <QPointer>

namespace Screens {

namespace {
template <typename Screen>
Screen *single(QPointer<Screen> &instance)
{
    if (!instance)
        instance = new Screen;
    return instance;
}

QPointer<frmSplash> splash;
QPointer<frmMain> menu;
} // namespace

void showLogin()
{
    single(splash)->show();
}

void showMenu()
{
    single(menu)->load();
}

void showSelection(int)
{
    showNotAvailable();
}

void showPlay(int)
{
    showNotAvailable();
}

void returnFromPlay(int)
{
    showMenu();
}

void showNotAvailable()
{
    Messages::notify(QStringLiteral("Questa parte del gioco non è ancora disponibile."));
}

} // namespace Screens
