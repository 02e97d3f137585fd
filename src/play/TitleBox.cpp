#include "play/TitleBox.h"

#include <QApplication>

TitleBox::TitleBox(QWidget *parent)
    : QLineEdit(parent)
{
    setFont(QFont(QStringLiteral("Verdana"), 8));
    setFrame(true);
    setAutoFillBackground(true);
    setBackground(openColor());
}

void TitleBox::showOpen()
{
    m_state = State::Open;
    setEnabled(true);
    setReadOnly(false);
    clear();
    // A box that keeps the focus across a page load gets no new focus event.
    setBackground(hasFocus() ? focusColor() : openColor());
}

void TitleBox::showSolved()
{
    // Solved before the text is written, so the change this write causes is not taken for typing.
    m_state = State::Solved;
    setEnabled(true);
    setText(m_tag);
    setCursorPosition(0);
    setReadOnly(true);
    setBackground(solvedColor());
}

void TitleBox::showEmpty()
{
    m_state = State::Open;
    m_tag.clear();
    clear();
    setReadOnly(false);
    setBackground(openColor());
    setEnabled(false);
}

QColor TitleBox::background() const
{
    return palette().color(QPalette::Base);
}

QColor TitleBox::openColor()
{
    return QColor(255, 255, 255);
}

QColor TitleBox::solvedColor()
{
    return QColor(224, 224, 224);
}

QColor TitleBox::focusColor()
{
    return QApplication::palette().color(QPalette::ToolTipBase);
}

QColor TitleBox::unfocusedColor()
{
    return QApplication::palette().color(QPalette::Base);
}

void TitleBox::focusInEvent(QFocusEvent *event)
{
    if (!isReadOnly())
        setBackground(focusColor());
    QLineEdit::focusInEvent(event);
}

void TitleBox::focusOutEvent(QFocusEvent *event)
{
    if (!isReadOnly())
        setBackground(unfocusedColor());
    QLineEdit::focusOutEvent(event);
}

void TitleBox::setBackground(const QColor &colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colour);
    setPalette(colours);
}
