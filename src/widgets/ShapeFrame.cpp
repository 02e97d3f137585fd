#include "widgets/ShapeFrame.h"

#include "widgets/Zoom.h"

#include <QPainter>

ShapeFrame::ShapeFrame(QWidget *parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
}

void ShapeFrame::setBorderColor(const QColor &colour)
{
    if (m_colour == colour)
        return;
    m_colour = colour;
    update();
}

void ShapeFrame::setFillColor(const QColor &colour)
{
    if (m_fillColour == colour)
        return;
    m_fillColour = colour;
    update();
}

void ShapeFrame::setFillStyle(FillStyle style)
{
    if (m_fillStyle == style)
        return;
    m_fillStyle = style;
    update();
}

void ShapeFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const qreal width = BorderWidth * Zoom::factor();
    QPen pen(m_colour, width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    if (m_fillStyle == FillStyle::Solid)
        painter.setBrush(m_fillColour);
    else
        painter.setBrush(Qt::NoBrush);
    // The pen is centred on the path: inset by half its width to stay inside the widget.
    const qreal half = width / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}
