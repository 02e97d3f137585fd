#include "widgets/InfoPanel.h"

#include "widgets/MouseClick.h"
#include "widgets/Zoom.h"

#include <QFontMetrics>
#include <QLabel>

namespace {
constexpr int Margin = 56;
constexpr int LargestPoints = 13;
constexpr int SmallestPoints = 7;
} // namespace

InfoPanel::InfoPanel(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("fraInfo"));
    setCursor(Qt::PointingHandCursor);
    connect(new MouseClick(this), &MouseClick::clicked, this, &InfoPanel::clicked);

    // The label takes no clicks of its own: they reach the panel.
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("lblMessage"));
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setFont(QFont(QStringLiteral("Verdana"), LargestPoints));
    // The text is fitted to the panel at whatever size the zoom gives it.
    Zoom::leaveAlone(m_message);
    restyle();
}

QString InfoPanel::message() const
{
    return m_message->text();
}

void InfoPanel::setMessage(const QString &text)
{
    m_message->setText(text);
    fitText();
}

void InfoPanel::fitText()
{
    // A low panel keeps less margin above and below its text.
    const int side = qMin(Margin, width() / 10);
    const int band = qMin(Margin, height() / 10);
    const QRect place = rect().adjusted(side, band, -side, -band);
    m_message->setGeometry(place);
    // The largest size at which the whole text fits the panel.
    QFont font = m_message->font();
    for (qreal points = LargestPoints * Zoom::factor(); points >= SmallestPoints * Zoom::factor(); --points) {
        font.setPointSizeF(points);
        const QRect needed = QFontMetrics(font).boundingRect(
            QRect(0, 0, place.width(), 100000), Qt::TextWordWrap | Qt::AlignHCenter, m_message->text());
        if (needed.height() <= place.height())
            break;
    }
    m_message->setFont(font);
}

void InfoPanel::restyle()
{
    // The frame's line and corners grow with the zoom as the panel does.
    const int border = Zoom::scaled(2);
    if (border != m_border) {
        m_border = border;
        setStyleSheet(
            QStringLiteral("#fraInfo { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffdf2, "
                           "stop:1 #f3ecd2); border: %1px solid #0000a9; border-radius: %2px; }"
                           "#lblMessage { color: #1c1c4a; background: transparent; }")
                .arg(border)
                .arg(Zoom::scaled(10)));
    }
}

void InfoPanel::resizeEvent(QResizeEvent *event)
{
    restyle();
    fitText();
    QFrame::resizeEvent(event);
}
