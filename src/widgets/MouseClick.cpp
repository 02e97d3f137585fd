#include "widgets/MouseClick.h"

#include <QMouseEvent>
#include <QWidget>

MouseClick::MouseClick(QWidget *widget)
    : QObject(widget)
    , m_widget(widget)
{
    widget->installEventFilter(this);
}

bool MouseClick::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_widget)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            m_pressed = true;
        return true;
    case QEvent::MouseButtonRelease: {
        const auto *release = static_cast<QMouseEvent *>(event);
        const bool wasPressed = std::exchange(m_pressed, false);
        if (wasPressed && release->button() == Qt::LeftButton
            && m_widget->rect().contains(release->position().toPoint()))
            emit clicked();
        return true;
    }
    default:
        return false;
    }
}
