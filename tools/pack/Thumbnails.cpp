#include "pack/Thumbnails.h"

#include "content/CategoryTable.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace Thumbnails {

namespace {
QFont font(int pixels, bool bold = true)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QColor categoryColour(int category)
{
    return QColor::fromHsv((category * 47) % 360, 170, 210);
}

// The first picture cut to fill the frame, or a plain card with the category number.
QImage background(int category, const QByteArray &firstPicture)
{
    QImage picture;
    if (picture.loadFromData(firstPicture)) {
        picture = picture.scaled(Width, Height, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        return picture.copy((picture.width() - Width) / 2, (picture.height() - Height) / 2, Width, Height)
            .convertToFormat(QImage::Format_RGB32);
    }
    QImage card(Width, Height, QImage::Format_RGB32);
    QPainter painter(&card);
    QLinearGradient gradient(0, 0, Width, Height);
    gradient.setColorAt(0, categoryColour(category).lighter(130));
    gradient.setColorAt(1, categoryColour(category).darker(160));
    painter.fillRect(card.rect(), gradient);
    painter.setPen(QColor(255, 255, 255, 90));
    painter.setFont(font(64));
    painter.drawText(QRect(0, 0, Width - 8, Height - 20), Qt::AlignRight | Qt::AlignVCenter,
                     QStringLiteral("%1").arg(category, 2, 10, QLatin1Char('0')));
    return card;
}

// The name sits on the left of the bottom band: the selection screens lay the solved/total
// label over its right end.
void drawName(QPainter &painter, int category)
{
    constexpr int Band = 26;
    constexpr int NameWidth = Width - 94; // from 10, clear of the won frame
    painter.fillRect(0, Height - Band, Width, Band, Qt::black);
    painter.setPen(Qt::white);
    const QString name = CategoryTable::name(category);
    int pixels = 14;
    while (pixels > 10 && QFontMetrics(font(pixels)).horizontalAdvance(name) > NameWidth)
        --pixels;
    painter.setFont(font(pixels));
    const QString shown = painter.fontMetrics().elidedText(name, Qt::ElideRight, NameWidth);
    painter.drawText(QRect(10, Height - Band, NameWidth, Band), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

// The marks keep to the top left corner (Corner × Corner), where a cover puts nothing to read.
constexpr int Corner = 58;

void drawPadlock(QPainter &painter)
{
    painter.fillRect(0, 0, Width, Height, QColor(0, 0, 0, 90));
    painter.setPen(QPen(QColor(255, 255, 255, 220), 2));
    painter.setBrush(QColor(30, 30, 30, 220));
    painter.drawEllipse(QPoint(25, 25), 20, 20);
    painter.setPen(QPen(QColor(235, 235, 235), 3.5, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRect(18, 11, 14, 16), 0, 180 * 16);
    painter.drawLine(18, 19, 18, 22);
    painter.drawLine(32, 19, 32, 22);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(235, 235, 235));
    painter.drawRoundedRect(QRect(14, 21, 22, 16), 3, 3);
    painter.setBrush(QColor(40, 40, 40));
    painter.drawEllipse(QPoint(25, 27), 2, 2);
    painter.drawRect(24, 28, 2, 5);
}

void drawWon(QPainter &painter)
{
    painter.setPen(QPen(QColor(255, 196, 0), 6));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(3, 3, Width - 7, Height - 7);
    // A ribbon across the top left corner.
    QPainterPath ribbon;
    ribbon.moveTo(0, 30);
    ribbon.lineTo(30, 0);
    ribbon.lineTo(Corner, 0);
    ribbon.lineTo(0, Corner);
    ribbon.closeSubpath();
    painter.fillPath(ribbon, QColor(200, 20, 40));
    painter.save();
    painter.translate(22, 22);
    painter.rotate(-45);
    painter.setPen(Qt::white);
    painter.setFont(font(11));
    painter.drawText(QRect(-30, -7, 60, 14), Qt::AlignCenter, QStringLiteral("VINTA"));
    painter.restore();
}
} // namespace

QByteArray make(int category, int state, const QByteArray &firstPicture)
{
    QImage image = background(category, firstPicture);
    if (state == 0)
        image = image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        if (state == 0)
            drawPadlock(painter);
        drawName(painter, category);
        if (state == 1) {
            painter.setPen(QPen(Qt::white, 2));
            painter.drawRect(1, 1, Width - 3, Height - 3);
        } else if (state == 2) {
            drawWon(painter);
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace Thumbnails
