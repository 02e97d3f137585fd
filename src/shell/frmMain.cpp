#include "shell/frmMain.h"

frmMain::frmMain(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Selezione tipo di gioco"));
    resize(428, 490);
}

void frmMain::load()
{
    show();
    raise();
    activateWindow();
}
