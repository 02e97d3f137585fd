#include "widgets/GameScreen.h"

#include <QApplication>
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
