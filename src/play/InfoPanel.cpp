#include "play/InfoPanel.h"

#include <QLabel>
#include <QMouseEvent>

namespace {
constexpr int Margin = 56;
}

InfoPanel::InfoPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("fraInfo"));
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral(
        "#fraInfo { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffdf2, stop:1 #f3ecd2);"
        " border: 2px solid #0000a9; border-radius: 10px; }"
        "#lblMessage { color: #1c1c4a; background: transparent; }"));

    // The label takes no clicks of its own: they reach the panel.
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lblMessage"));
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setFont(QFont(QStringLiteral("Verdana"), 13));
}

QString InfoPanel::message() const
{
    return m_message->text();
}

void InfoPanel::setMessage(const QString &text)
{
    m_message->setText(text);
}

void InfoPanel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_pressed = true;
    event->accept();
}

void InfoPanel::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_pressed;
    m_pressed = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void InfoPanel::resizeEvent(QResizeEvent *event)
{
    m_message->setGeometry(rect().adjusted(Margin, Margin, -Margin, -Margin));
    QFrame::resizeEvent(event);
}
