#include "play/PlaySession.h"

#include "content/mdlGeneral.h"
#include "play/InfoPanel.h"
#include "play/PageMath.h"
#include "play/PlayCell.h"
#include "play/PlayProgress.h"
#include "play/TimeText.h"
#include "play/TitleBox.h"
#include "play/TitleMatch.h"
#include "profile/clsUser.h"
#include "shell/Messages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

const QString PlaySession::WinMessage
    = QStringLiteral("Complimenti, hai vinto questa categoria; controlla se sono disponibili nuove opzioni. "
                     "Potrai consultare questa categoria in qualsiasi momento.");

namespace {
// A tick counts a full second but comes a little sooner, so the clock never counts less
// than the time really played.
constexpr int ClockInterval = 950;
constexpr int BlinkInterval = 500;
constexpr int PanelLeft = 8;

const QString CannotSaveSolve = QStringLiteral(
    "Impossibile salvare la soluzione nel file utente: controlla che la cartella User esista e "
    "che si possa scrivere. L'immagine resta da indovinare.");
const QString CannotSaveTime = QStringLiteral(
    "Impossibile salvare il tempo di gioco nel file utente: controlla che la cartella User esista "
    "e che si possa scrivere. Il tempo non viene più contato.");
const QString CannotSaveWin = QStringLiteral(
    "Impossibile salvare la vittoria della categoria nel file utente: controlla che la cartella "
    "User esista e che si possa scrivere.");
} // namespace

PlaySession::PlaySession(QWidget *screen, int gameType, QLabel *lblTime, QLabel *lblRisolti,
                         InfoPanel *fraInfo)
    : QObject(screen)
    , m_gameType(gameType)
    , m_lblTime(lblTime)
    , m_lblRisolti(lblRisolti)
    , m_fraInfo(fraInfo)
{
    m_tmrTime = new QTimer(screen);
    m_tmrTime->setObjectName(QStringLiteral("tmrTime"));
    m_tmrTime->setInterval(ClockInterval);
    connect(m_tmrTime, &QTimer::timeout, this, &PlaySession::tick);

    m_tmrIndex = new QTimer(screen);
    m_tmrIndex->setObjectName(QStringLiteral("tmrIndex"));
    m_tmrIndex->setInterval(BlinkInterval);
    connect(m_tmrIndex, &QTimer::timeout, this, &PlaySession::blink);

    screen->installEventFilter(this);
}

void PlaySession::addCell(PlayCell *cell)
{
    m_cells.append(cell);
    cell->lblIndex->setVisible(m_codesShown);
    // The screen sees its keys before its controls: F1 works while a title box has the focus.
    cell->txtTitle->installEventFilter(this);
    connect(cell->txtTitle, &QLineEdit::textChanged, this, [this, cell] { titleChanged(cell); });
}

void PlaySession::showTime()
{
    m_lblTime->setText(FormatTime(objUser.Time(m_gameType)));
}

void PlaySession::showSolvedCount()
{
    m_lblRisolti->setText(
        PageMath::solvedText(objUser.Risolti(objUser.curcat), mdlGeneral::GetCatCount(objUser.curcat)));
}

bool PlaySession::openPanel(const QString &instructions)
{
    m_fraInfo->move(PanelLeft, m_fraInfo->y());
    m_fraInfo->setMessage(instructions);
    const bool incomplete = !PlayProgress::isComplete(objUser, objUser.curcat);
    m_fraInfo->setVisible(incomplete);
    if (incomplete)
        m_fraInfo->raise();
    return incomplete;
}

bool PlaySession::isClockRunning() const
{
    return m_tmrTime->isActive();
}

void PlaySession::stopClock()
{
    m_tmrTime->stop();
}

void PlaySession::tick()
{
    const qint32 total = PlayProgress::countSecond(objUser, m_gameType);
    if (total < 0) {
        stopClock();
        Messages::warn(CannotSaveTime);
        return;
    }
    m_lblTime->setText(FormatTime(total));
}

void PlaySession::panelClicked()
{
    m_fraInfo->hide();
    if (objUser.Categorie(objUser.curcat) == 1)
        m_tmrTime->start();
}

void PlaySession::toggleCodes()
{
    m_codesShown = !m_codesShown;
    if (m_codesShown)
        m_tmrIndex->start();
    else
        m_tmrIndex->stop();
    for (PlayCell *cell : std::as_const(m_cells))
        cell->lblIndex->setVisible(m_codesShown);
}

void PlaySession::blink()
{
    for (PlayCell *cell : std::as_const(m_cells)) {
        QPalette colours = cell->lblIndex->palette();
        const bool white = colours.color(QPalette::WindowText) == QColor(Qt::white);
        colours.setColor(QPalette::WindowText, white ? QColor(Qt::black) : QColor(Qt::white));
        cell->lblIndex->setPalette(colours);
    }
}

bool PlaySession::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Any Shift, Ctrl or Alt state; a held key does not make the codes flicker.
        if (key->key() == Qt::Key_F1) {
            if (!key->isAutoRepeat())
                toggleCodes();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void PlaySession::titleChanged(PlayCell *cell)
{
    TitleBox *box = cell->txtTitle;
    // A solved box changes only when the solve writes the stored title into it.
    if (!m_ready || box->isSolved() || !box->isEnabled())
        return;
    if (!TitleMatches(box->text(), box->tag()))
        return;

    // The profile first: a picture shows solved only once the solve is on disk.
    if (!objUser.setItem(cell->picture, 1)) {
        Messages::warn(CannotSaveSolve);
        return;
    }
    cell->showSolved();
    showSolvedCount();
    emit solved(cell->picture);
    if (PlayProgress::isComplete(objUser, objUser.curcat))
        win();
}

void PlaySession::win()
{
    stopClock();
    if (!objUser.setCategorie(objUser.curcat, 2)) {
        Messages::warn(CannotSaveWin);
        return;
    }
    m_fraInfo->setMessage(WinMessage);
    m_fraInfo->show();
    m_fraInfo->raise();
    objUser.CheckUnlock();
    emit won();
}
