#include "pack/Thumbnails.h"

#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "content/ThumbnailLayout.h"

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

// The bottom band: the name on the left, inside the frame, which is WonFrame wide at most, and the
// solved/total count that the selection screens lay over its right end, down on the frame's edge.
constexpr int Band = 26;
constexpr int WonFrame = 4;
constexpr int NameLeft = 10;
constexpr int NameGap = 6; // between the name and the count

// The room for the name of `category`: up to its count as its selection screen lays it.
QRect namePlace(int category)
{
    const int right = Game::isCategory(category) ? ThumbnailLayout::countPlace(category).left() - NameGap
                                                 : Width - WonFrame - NameGap;
    return QRect(NameLeft, Height - Band, right - NameLeft, Band - WonFrame);
}

// One size for every name, so that no category looks less important than another: the largest
// at which each name fits on one line beside its count, 10 pixels at the least (a name too long
// even then is cut short).
int namePixels()
{
    static const int pixels = [] {
        int size = 14;
        for (; size > 10; --size) {
            const QFontMetrics metrics(font(size));
            bool fits = true;
            for (int c = 1; c <= Game::CategoryCount && fits; ++c)
                fits = metrics.horizontalAdvance(CategoryTable::name(c)) <= namePlace(c).width();
            if (fits)
                break;
        }
        return size;
    }();
    return pixels;
}

void drawName(QPainter &painter, int category)
{
    painter.fillRect(0, Height - Band, Width, Band, Qt::black);
    painter.setPen(Qt::white);
    painter.setFont(font(namePixels()));
    const QRect place = namePlace(category);
    const QString shown
        = painter.fontMetrics().elidedText(CategoryTable::name(category), Qt::ElideRight, place.width());
    painter.drawText(place, Qt::AlignLeft | Qt::AlignVCenter, shown);
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

// A frame around the thumbnail whose lower edge stops short of the count, which stands right
// down on it: the count's own border is not lost in the frame's line.
void drawFrame(QPainter &painter, int category, const QColor &colour, int width)
{
    const qreal mid = width / 2.0;
    const QRect count = Game::isCategory(category)
                            ? ThumbnailLayout::countPlace(category).adjusted(-3, 0, 3, 0)
                            : QRect(Width, 0, 0, 0);
    QPainterPath frame;
    frame.moveTo(count.left(), Height - mid);
    frame.lineTo(mid, Height - mid);
    frame.lineTo(mid, mid);
    frame.lineTo(Width - mid, mid);
    frame.lineTo(Width - mid, Height - mid);
    frame.lineTo(qMin(count.right() + 1, Width - width), Height - mid);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(frame);
}

void drawWon(QPainter &painter, int category)
{
    drawFrame(painter, category, QColor(255, 196, 0), WonFrame);
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
            drawFrame(painter, category, Qt::white, 2);
        } else if (state == 2) {
            drawWon(painter, category);
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace Thumbnails
