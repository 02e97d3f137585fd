#include "widgets/GameScreen.h"

#include "widgets/Zoom.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QShowEvent>

GameScreen::GameScreen(const QString &name, QWidget *parent)
    : QWidget(parent)
{
    setObjectName(name);
    setAttribute(Qt::WA_DeleteOnClose);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(244, 244, 244));
    setPalette(colours);
    setAutoFillBackground(true);
    Zoom::addKeys(this);
}

bool GameScreen::open()
{
    const bool first = !std::exchange(m_placed, true);
    // A window of a fixed size has nothing to maximise: no button for it.
    if (first && minimumSize() == maximumSize())
        setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                       | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    Zoom::apply(this);
    // A new screen opens in the middle of the desktop, where the one before it was.
    if (first)
        Zoom::centre(this);
    show();
    raise();
    activateWindow();
    return true;
}

bool GameScreen::isOpeningClick() const
{
    return m_shown.isValid() && m_shown.elapsed() < QApplication::doubleClickInterval();
}

void GameScreen::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        m_shown.start();
    QWidget::showEvent(event);
}

void GameScreen::closeEvent(QCloseEvent *event)
{
    QWidget::closeEvent(event);
    // Announced once, while the screen still stands where it was: the navigator reads whether it
    // was on show.
    if (event->isAccepted() && !std::exchange(m_closedAnnounced, true))
        emit closed();
}

void GameScreen::keyPressEvent(QKeyEvent *event)
{
    if (m_closesOnEscape && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
