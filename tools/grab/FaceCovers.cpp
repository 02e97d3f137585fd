#include "grab/FaceCovers.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>

#include <random>

namespace FaceCovers {

namespace {
// Each cover is drawn in the face's own units: the box spans −1 to 1 both ways, and every cover
// is opaque over at least that square (its corners lie 1.42 from the centre).

void balloon(QPainter &p)
{
    QRadialGradient skin(QPointF(-0.5, -0.6), 2.4);
    skin.setColorAt(0, QColor(255, 120, 120));
    skin.setColorAt(0.5, QColor(214, 30, 48));
    skin.setColorAt(1, QColor(120, 10, 24));
    p.setPen(QPen(QColor(90, 8, 18), 0.04));
    p.setBrush(skin);
    p.drawEllipse(QPointF(0, -0.05), 1.5, 1.6);
    // The knot, and the string hanging from it.
    p.drawPolygon(QPolygonF({QPointF(0, 1.5), QPointF(-0.14, 1.75), QPointF(0.14, 1.75)}));
    QPainterPath string(QPointF(0, 1.75));
    string.cubicTo(QPointF(0.3, 2.0), QPointF(-0.3, 2.3), QPointF(0.1, 2.7));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 60, 60), 0.04));
    p.drawPath(string);
    // The shine.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 150));
    p.save();
    p.translate(-0.65, -0.8);
    p.rotate(35);
    p.drawEllipse(QPointF(0, 0), 0.18, 0.38);
    p.restore();
}

void hat(QPainter &p)
{
    // A felt hat pulled down to the chin: the crown hides the face, the brim lies under it.
    QLinearGradient felt(QPointF(-1.2, 0), QPointF(1.2, 0));
    felt.setColorAt(0, QColor(40, 40, 48));
    felt.setColorAt(0.4, QColor(78, 78, 92));
    felt.setColorAt(1, QColor(30, 30, 36));
    p.setPen(QPen(QColor(15, 15, 18), 0.04));
    p.setBrush(felt);
    QPainterPath crown;
    crown.moveTo(-1.2, 1.15);
    crown.lineTo(-1.25, -1.3);
    crown.quadTo(0, -2.1, 1.25, -1.3);
    crown.lineTo(1.2, 1.15);
    crown.closeSubpath();
    p.drawPath(crown);
    // The crease of the crown, and the band.
    QPainterPath crease(QPointF(-0.6, -1.45));
    crease.quadTo(QPointF(0, -1.15), QPointF(0.6, -1.45));
    p.setBrush(Qt::NoBrush);
    p.drawPath(crease);
    p.setBrush(QColor(150, 28, 36));
    p.drawRect(QRectF(-1.21, 0.55, 2.42, 0.4));
    p.setBrush(QColor(25, 25, 30));
    p.drawEllipse(QPointF(0, 1.15), 1.85, 0.32);
}

void filmReel(QPainter &p)
{
    // A strip of film running off the reel, behind it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 24, 20));
    p.save();
    p.rotate(-30);
    p.drawRect(QRectF(0, 1.0, 2.6, 0.55));
    p.setBrush(QColor(230, 220, 190));
    for (int i = 0; i < 7; ++i) {
        p.drawRect(QRectF(0.2 + i * 0.34, 1.05, 0.14, 0.1));
        p.drawRect(QRectF(0.2 + i * 0.34, 1.4, 0.14, 0.1));
    }
    p.restore();
    QRadialGradient metal(QPointF(-0.4, -0.5), 2.2);
    metal.setColorAt(0, QColor(235, 238, 242));
    metal.setColorAt(0.6, QColor(160, 166, 176));
    metal.setColorAt(1, QColor(96, 100, 110));
    p.setPen(QPen(QColor(60, 62, 70), 0.05));
    p.setBrush(metal);
    p.drawEllipse(QPointF(0, 0), 1.5, 1.5);
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(0, 0), 1.3, 1.3);
    // Six windows around the hub, dark as the reel's inside.
    p.setBrush(QColor(35, 35, 40));
    for (int i = 0; i < 6; ++i) {
        const qreal angle = qDegreesToRadians(90.0 + i * 60.0);
        p.drawEllipse(QPointF(0.78 * qCos(angle), 0.78 * qSin(angle)), 0.3, 0.3);
    }
    p.setBrush(QColor(200, 204, 212));
    p.drawEllipse(QPointF(0, 0), 0.22, 0.22);
    p.setBrush(QColor(35, 35, 40));
    p.drawEllipse(QPointF(0, 0), 0.08, 0.08);
}

void paperBag(QPainter &p)
{
    QPainterPath bag;
    bag.moveTo(-1.3, 1.4);
    bag.lineTo(-1.25, -1.35);
    // The torn top edge.
    for (int i = 0; i <= 10; ++i)
        bag.lineTo(-1.25 + i * 0.25, i % 2 ? -1.6 : -1.4);
    bag.lineTo(1.3, 1.4);
    bag.closeSubpath();
    p.setPen(QPen(QColor(120, 86, 50), 0.04));
    p.setBrush(QColor(198, 156, 108));
    p.drawPath(bag);
    // Folds, eye holes and a drawn mouth.
    p.setPen(QPen(QColor(160, 120, 78), 0.04));
    p.drawLine(QPointF(-0.9, -1.3), QPointF(-0.95, 1.35));
    p.drawLine(QPointF(0.9, -1.3), QPointF(0.95, 1.35));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 18, 12));
    p.drawEllipse(QPointF(-0.42, -0.3), 0.17, 0.22);
    p.drawEllipse(QPointF(0.42, -0.3), 0.17, 0.22);
    QPainterPath mouth(QPointF(-0.45, 0.5));
    mouth.quadTo(QPointF(0, 0.8), QPointF(0.45, 0.5));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 40, 25), 0.07, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(mouth);
}
} // namespace

QVector<Cover> choose(int faces, quint32 seed)
{
    // mt19937 gives the same numbers everywhere; its raw output is used, since the standard's
    // distributions may differ between libraries.
    std::mt19937 generator(seed);
    QVector<Cover> covers;
    for (int i = 0; i < faces; ++i)
        covers.append(Cover(generator() % CoverCount));
    return covers;
}

void cover(QImage *frame, const QVector<QRect> &faces, const QVector<Cover> &covers)
{
    QPainter painter(frame);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < faces.size() && i < covers.size(); ++i) {
        const QRectF box = faces[i];
        painter.save();
        painter.translate(box.center());
        painter.scale(box.width() / 2, box.height() / 2);
        switch (covers[i]) {
        case Cover::Balloon:
            balloon(painter);
            break;
        case Cover::Hat:
            hat(painter);
            break;
        case Cover::FilmReel:
            filmReel(painter);
            break;
        case Cover::PaperBag:
            paperBag(painter);
            break;
        }
        painter.restore();
    }
}

void outline(QImage *frame, const QVector<QRect> &found, const QVector<QRect> &given)
{
    QPainter painter(frame);
    const int line = std::max(2, frame->width() / 400);
    QFont font = painter.font();
    font.setPixelSize(std::max(12, frame->height() / 40));
    font.setBold(true);
    painter.setFont(font);
    int number = 0;
    for (const auto &[boxes, colour] :
         {std::make_pair(&found, QColor(0, 230, 0)), std::make_pair(&given, QColor(255, 220, 0))}) {
        for (const QRect &box : *boxes) {
            painter.setPen(QPen(colour, line));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(box);
            painter.drawText(box.topLeft() + QPoint(line * 2, painter.fontMetrics().ascent() + line * 2),
                             QString::number(++number));
        }
    }
}

} // namespace FaceCovers
