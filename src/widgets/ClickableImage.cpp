#include "widgets/ClickableImage.h"

#include "widgets/MouseClick.h"
#include "widgets/Zoom.h"

#include <QKeyEvent>
#include <QPainter>

namespace {
// The links' blue, around a picture on the screens' light grey; a text link is lit up instead,
// so that nothing crosses its letters.
const QColor FocusColour(0, 0, 255);
const QColor FocusTextFill(0xff, 0xf0, 0xa8);

// The frame around a focused picture: it lies in the gap between the pictures, takes no clicks.
class FocusFrame : public QWidget
{
public:
    FocusFrame(QWidget *parent, int radius)
        : QWidget(parent)
        , m_radius(radius)
    {
        setObjectName(QStringLiteral("focusFrame"));
        setAttribute(Qt::WA_TransparentForMouseEvents);
        // Its picture places it, at every zoom.
        Zoom::leaveAlone(this);
    }
    void setRadius(int radius) { m_radius = radius; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const int width = Zoom::scaled(ClickableImage::FocusWidth);
        const qreal Half = width / 2.0;
        painter.setPen(QPen(FocusColour, width));
        painter.setBrush(Qt::NoBrush);
        const qreal radius = m_radius + Half;
        painter.drawRoundedRect(QRectF(rect()).adjusted(Half, Half, -Half, -Half), radius, radius);
    }

private:
    int m_radius;
};
} // namespace

ClickableImage::ClickableImage(QWidget *parent)
    : QLabel(parent)
{
    setCursor(Qt::PointingHandCursor);
    connect(new MouseClick(this), &MouseClick::clicked, this, &ClickableImage::clicked);
}

void ClickableImage::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    // A held key opens once: what it opened does not get its repeats as further choices.
    if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)
        && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        event->accept();
        if (!event->isAutoRepeat())
            emit clicked();
        return;
    }
    QLabel::keyPressEvent(event);
}

void ClickableImage::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QLabel::changeEvent(event);
}

void ClickableImage::placeFocusFrame()
{
    const bool framed = hasFocus() && isVisible() && !pixmap().isNull() && parentWidget();
    if (!framed) {
        if (m_focusFrame)
            m_focusFrame->hide();
        return;
    }
    if (!m_focusFrame)
        m_focusFrame = new FocusFrame(parentWidget(), m_focusRadius);
    static_cast<FocusFrame *>(m_focusFrame)->setRadius(m_focusRadius);
    const int width = Zoom::scaled(FocusWidth);
    m_focusFrame->setGeometry(geometry().adjusted(-width, -width, width, width));
    m_focusFrame->raise();
    m_focusFrame->show();
}

void ClickableImage::focusInEvent(QFocusEvent *event)
{
    QLabel::focusInEvent(event);
    placeFocusFrame();
}

void ClickableImage::focusOutEvent(QFocusEvent *event)
{
    QLabel::focusOutEvent(event);
    placeFocusFrame();
}

void ClickableImage::moveEvent(QMoveEvent *event)
{
    QLabel::moveEvent(event);
    if (m_focusFrame)
        placeFocusFrame();
}

void ClickableImage::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    if (m_focusFrame)
        placeFocusFrame();
}

void ClickableImage::hideEvent(QHideEvent *event)
{
    QLabel::hideEvent(event);
    if (m_focusFrame)
        m_focusFrame->hide();
}

void ClickableImage::paintEvent(QPaintEvent *event)
{
    if (!hasFocus() || !pixmap().isNull()) {
        QLabel::paintEvent(event);
        return;
    }
    {
        QPainter under(this);
        under.fillRect(rect(), FocusTextFill);
        under.setPen(FocusColour);
        under.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    QLabel::paintEvent(event);
}
