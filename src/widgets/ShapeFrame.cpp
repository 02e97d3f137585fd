#include "widgets/ShapeFrame.h"

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

void ShapeFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPen pen(m_colour, BorderWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    // The pen is centred on the path: inset by half its width to stay inside the widget.
    const qreal half = BorderWidth / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));
}
