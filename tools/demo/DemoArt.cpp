#include "demo/DemoArt.h"

#include "content/CategoryTable.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <functional>

namespace DemoArt {

namespace {
// One colour per category: the genre (or theme) shows at a glance. Neighbours on a selection
// screen differ in hue or in lightness.
const QColor Colours[21] = {{},
                            {245, 130, 20},  // Animazione: bright orange
                            {200, 35, 30},   // Azione: red
                            {120, 120, 120}, // Classici: black and white
                            {235, 200, 40},  // Commedia: yellow
                            {215, 55, 175},  // Demenziali: magenta
                            {55, 80, 170},   // Drammatico: deep blue
                            {20, 150, 185},  // Fantascienza: cyan
                            {125, 65, 190},  // Fantastico: violet
                            {90, 20, 30},    // Thriller e Horror: blood red on black
                            {95, 165, 60},   // Animali: meadow green
                            {60, 175, 230},  // Bambini: sky blue
                            {240, 100, 180}, // Barbie: pink
                            {110, 110, 130}, // Decapitati: slate
                            {170, 40, 60},   // Maschere: carnival crimson
                            {60, 175, 120},  // Muppets: felt green
                            {185, 145, 95},  // Sacchetto: paper brown
                            {240, 140, 40},  // Sbagliati: orange
                            {60, 60, 140},   // Missing: ink blue
                            {30, 115, 115},  // Rebus: teal
                            {160, 50, 110}}; // Vestiti: plum

QStringList &overflowList()
{
    static QStringList list;
    return list;
}

QFont font(int pixels, bool bold = true, qreal spacing = 0)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    if (spacing > 0)
        f.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return f;
}

// A text broken into lines at its blanks, at the font that lets it fit a box.
struct Fitted {
    QFont font;
    QStringList lines;
    int lineHeight = 0;
    int height() const { return int(lines.size()) * lineHeight; }
};

QStringList wrapWords(const QString &text, const QFontMetrics &metrics, int width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (metrics.horizontalAdvance(word) > width)
            return {};
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (metrics.horizontalAdvance(longer) <= width) {
            line = longer;
        } else {
            lines.append(line);
            line = word;
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

// The largest size from `largest` down to `smallest` at which the text fits `box` in at most
// `maxLines` lines; false when none does.
bool tryFit(const QString &text, const QSize &box, int largest, int smallest, int maxLines, Fitted *out,
            bool bold = true, qreal spacing = 0)
{
    for (int pixels = largest; pixels >= smallest; --pixels) {
        const QFont f = font(pixels, bold, spacing);
        const QFontMetrics metrics(f);
        const QStringList lines = wrapWords(text, metrics, box.width());
        if (lines.isEmpty() || lines.size() > maxLines
            || int(lines.size()) * metrics.lineSpacing() > box.height())
            continue;
        *out = {f, lines, metrics.lineSpacing()};
        return true;
    }
    return false;
}

// As tryFit, but a text that never fits is noted (the build then fails) and drawn at the
// smallest size.
Fitted fit(const QString &text, const QSize &box, int largest, int smallest, int maxLines, bool bold = true,
           qreal spacing = 0)
{
    Fitted result;
    if (!tryFit(text, box, largest, smallest, maxLines, &result, bold, spacing)) {
        overflowList().append(text);
        result.font = font(smallest, bold, spacing);
        result.lineHeight = QFontMetrics(result.font).lineSpacing();
        result.lines = QStringList {text};
    }
    return result;
}

void drawFitted(QPainter &painter, const QRect &box, const Fitted &text,
                Qt::Alignment align = Qt::AlignHCenter)
{
    painter.setFont(text.font);
    int y = box.top() + (box.height() - text.height()) / 2;
    for (const QString &line : text.lines) {
        painter.drawText(QRect(box.left(), y, box.width(), text.lineHeight),
                         align | Qt::AlignVCenter | Qt::TextDontClip, line);
        y += text.lineHeight;
    }
}

void drawText(QPainter &painter, const QRect &box, const QString &text, int largest, int smallest,
              int maxLines, Qt::Alignment align = Qt::AlignHCenter, bool bold = true)
{
    drawFitted(painter, box, fit(text, box.size(), largest, smallest, maxLines, bold), align);
}

// Applies `change` to each letter of each word; `at` is the letter's place in its word.
template<typename Change> QString perLetter(const QString &title, Change change)
{
    QString result;
    int inWord = 0;
    for (const QChar c : title) {
        if (!c.isLetterOrNumber()) {
            inWord = 0;
            result += c;
            continue;
        }
        result += change(c, inWord++);
    }
    return result;
}

QByteArray encoded(const QImage &image, const char *format, int quality)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, quality);
    return bytes;
}

// A cheap repeatable pseudo-random number for the decorations.
int scatter(int seed, int n, int range)
{
    quint32 x = quint32(seed) * 2654435761u + quint32(n) * 40503u + 12345u;
    x ^= x >> 13;
    x *= 0x5bd1e995u;
    x ^= x >> 15;
    return int(x % quint32(range));
}

constexpr qreal Spacing = 1;

// Hidden letters side by side, drawn apart so that they can be counted: "B_\u2009_nc".
QString spacedBlanks(QString hint)
{
    return hint.replace(QStringLiteral("__"), QStringLiteral("_\u2009_"))
        .replace(QStringLiteral("__"), QStringLiteral("_\u2009_"));
}

// The riddle on two lines of 11 pixels or more, else on three lines of 10 to 12 pixels.
Fitted hintText(const QString &riddle)
{
    const QString hint = spacedBlanks(riddle);
    Fitted text;
    if (!tryFit(hint, QSize(Width - 8, 30), 16, 11, 2, &text, true, Spacing))
        text = fit(hint, QSize(Width - 8, 44), 12, 10, 3, true, Spacing);
    return text;
}

int bandHeight(const Fitted &text)
{
    return std::max(28, text.height() + 6);
}

// The hint band at the bottom, as tall as its riddle needs. Returns the band's top.
int hintBand(QPainter &painter, const QString &riddle, const QColor &back, const QColor &ink = Qt::white)
{
    const Fitted text = hintText(riddle);
    const int band = bandHeight(text);
    const int top = Height - band;
    painter.fillRect(0, top, Width, band, back);
    painter.setPen(ink);
    drawFitted(painter, QRect(4, top, Width - 8, band), text);
    return top;
}

QLinearGradient verticalGradient(const QColor &colour, int height, int light = 150, int dark = 170)
{
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, colour.lighter(light));
    sky.setColorAt(1, colour.darker(dark));
    return sky;
}

// ---------------------------------------------------------------------------------------------
// Classic: a genre backdrop with its own pattern, the emblem, the year, the director.

void genreBackdrop(QPainter &painter, int category, int seed)
{
    const QColor colour = Colours[category];
    painter.fillRect(0, 0, Width, Height, verticalGradient(colour, Height));
    painter.setPen(Qt::NoPen);
    switch (category) {
    case 1: // Animazione: polka dots
        painter.setBrush(QColor(255, 255, 255, 60));
        for (int y = 6; y < Height; y += 18)
            for (int x = (y / 18) % 2 * 9; x < Width; x += 18)
                painter.drawEllipse(QPoint(x, y), 4, 4);
        break;
    case 2: // Azione: speed streaks
        for (int i = 0; i < 14; ++i) {
            painter.setBrush(QColor(255, 220, 120, 70));
            const int y = scatter(seed, i, Height);
            const int x = scatter(seed, i + 50, Width);
            painter.drawPolygon(QPolygon({QPoint(x, y), QPoint(x + 70, y - 3), QPoint(x + 70, y + 1)}));
        }
        break;
    case 3: // Classici: film grain, scratches and perforations
        painter.setBrush(QColor(255, 255, 255, 18));
        painter.drawEllipse(QRect(-40, -30, 280, 170));
        painter.setPen(QPen(QColor(255, 255, 255, 50), 1));
        for (int i = 0; i < 4; ++i) {
            const int x = scatter(seed, i, Width);
            painter.drawLine(x, 0, x + scatter(seed, i + 9, 7) - 3, Height);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(20, 20, 20));
        painter.drawRect(0, 0, Width, 5);
        painter.drawRect(0, Height - 5, Width, 5);
        painter.setBrush(QColor(230, 230, 230));
        for (int x = 4; x < Width; x += 12)
            painter.drawRect(x, 1, 6, 3);
        break;
    case 4: // Commedia: confetti
        for (int i = 0; i < 40; ++i) {
            painter.setBrush(QColor::fromHsv(scatter(seed, i, 360), 200, 255, 150));
            painter.drawRect(scatter(seed, i + 100, Width), scatter(seed, i + 200, Height), 4, 3);
        }
        break;
    case 5: // Demenziali: a chequered floor gone crooked
        painter.setBrush(QColor(255, 255, 255, 45));
        for (int y = 0; y < Height; y += 14)
            for (int x = (y / 14) % 2 * 14; x < Width; x += 28)
                painter.drawPolygon(QPolygon(
                    {QPoint(x, y), QPoint(x + 14, y + 3), QPoint(x + 12, y + 17), QPoint(x - 2, y + 14)}));
        break;
    case 6: // Drammatico: rain
        painter.setPen(QPen(QColor(200, 220, 255, 90), 1));
        for (int i = 0; i < 45; ++i) {
            const int x = scatter(seed, i, Width + 20), y = scatter(seed, i + 70, Height);
            painter.drawLine(x, y, x - 4, y + 10);
        }
        break;
    case 7: // Fantascienza: stars and a ringed planet
        painter.fillRect(0, 0, Width, Height, QColor(5, 15, 40, 120));
        painter.setBrush(QColor(255, 255, 255, 200));
        for (int i = 0; i < 40; ++i)
            painter.drawEllipse(QPointF(scatter(seed, i, Width), scatter(seed, i + 40, Height)), 0.9, 0.9);
        painter.setBrush(QColor(120, 230, 255, 90));
        painter.drawEllipse(QPoint(120, 86), 22, 22);
        painter.setPen(QPen(QColor(200, 250, 255, 110), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(QPoint(120, 86), 38, 8);
        break;
    case 8: // Fantastico: sparkles
        painter.setPen(QColor(255, 240, 180, 150));
        painter.setFont(font(9, false));
        for (int i = 0; i < 16; ++i)
            painter.drawText(QPoint(scatter(seed, i, Width), scatter(seed, i + 30, Height)),
                             QStringLiteral("\u2726"));
        break;
    case 9: { // Thriller e Horror: darkness closing in, a red trail
        QRadialGradient dark(QPointF(Width / 2.0, Height / 2.0), 130);
        dark.setColorAt(0, QColor(0, 0, 0, 0));
        dark.setColorAt(1, QColor(0, 0, 0, 230));
        painter.fillRect(0, 0, Width, Height, dark);
        painter.setBrush(QColor(170, 0, 0, 150));
        for (int i = 0; i < 6; ++i) {
            const int x = scatter(seed, i, Width);
            painter.drawRoundedRect(QRect(x, 0, 4, 8 + scatter(seed, i + 8, 20)), 2, 2);
        }
        break;
    }
    default:
        break;
    }
}

QByteArray classicLook(const DemoFilms::Film &film, int index)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    genreBackdrop(painter, film.category, index);
    const int top = hintBand(painter, hideVowels(QString::fromUtf8(film.title)), QColor(0, 0, 0, 160));
    const int frame = film.category == 3 ? 6 : 2; // below the film perforations
    const int disc = std::min(62, top - frame - 8);
    const QRect emblem(8, frame + (top - frame - disc) / 2, disc, disc);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 80));
    painter.drawEllipse(emblem);
    painter.setPen(Qt::white);
    painter.setFont(font(disc * 5 / 8, false));
    painter.drawText(emblem, Qt::AlignCenter, QString(QChar(film.emblem)));
    const QRect right(disc + 16, frame + 2, Width - disc - 22, top - frame - 4);
    const int yearHeight = std::min(34, right.height() * 3 / 5);
    // A dark shadow first, so that white stays legible on the light genres.
    for (const bool shadow : {true, false}) {
        painter.save();
        painter.setPen(shadow ? QColor(0, 0, 0, 150) : QColor(Qt::white));
        if (shadow)
            painter.translate(1, 1);
        painter.setFont(font(std::min(28, yearHeight - 4)));
        painter.drawText(QRect(right.left(), right.top(), right.width(), yearHeight),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(film.year));
        drawText(painter,
                 QRect(right.left(), right.top() + yearHeight, right.width(), right.height() - yearHeight),
                 QStringLiteral("regia di ") + QString::fromUtf8(film.director), 13, 9, 2, Qt::AlignRight);
        painter.restore();
    }
    painter.end();
    return encoded(image, "JPEG", 90);
}

// ---------------------------------------------------------------------------------------------
// Bonus: a set with actors whose faces are covered, in the category's theme, and a clapperboard
// with the year and the director.

void headCover(QPainter &painter, int category, const QPointF &c, int variant)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    switch (category) {
    case 10: { // Animali: dog, cat, lion
        const int kind = variant % 3;
        const QColor fur = kind == 0   ? QColor(160, 100, 50)
                           : kind == 1 ? QColor(150, 150, 160)
                                       : QColor(230, 170, 50);
        if (kind == 2) {
            painter.setBrush(QColor(170, 90, 20));
            painter.drawEllipse(c, 15, 15);
        }
        painter.setBrush(fur.darker(kind == 0 ? 140 : 110));
        if (kind == 0) {
            painter.drawEllipse(QRectF(c.x() - 15, c.y() - 8, 8, 18));
            painter.drawEllipse(QRectF(c.x() + 7, c.y() - 8, 8, 18));
        } else if (kind == 1) {
            painter.drawPolygon(QPolygonF({c + QPointF(-11, -4), c + QPointF(-9, -16), c + QPointF(-2, -9)}));
            painter.drawPolygon(QPolygonF({c + QPointF(11, -4), c + QPointF(9, -16), c + QPointF(2, -9)}));
        }
        painter.setBrush(fur);
        painter.drawEllipse(c, 11, 11);
        painter.setBrush(fur.lighter(150));
        painter.drawEllipse(c + QPointF(0, 4), 6, 5);
        painter.setBrush(Qt::black);
        painter.drawEllipse(c + QPointF(-4, -3), 1.8, 1.8);
        painter.drawEllipse(c + QPointF(4, -3), 1.8, 1.8);
        painter.drawEllipse(c + QPointF(0, 2), 2.5, 1.8);
        if (kind == 1) {
            painter.setPen(QPen(Qt::black, 0.7));
            painter.drawLine(c + QPointF(-3, 4), c + QPointF(-13, 2));
            painter.drawLine(c + QPointF(3, 4), c + QPointF(13, 2));
        }
        break;
    }
    case 11: // Bambini: a lollipop or a balloon in front of the face
        if (variant % 2 == 0) {
            painter.setBrush(Qt::white);
            painter.drawRect(QRectF(c.x() - 1, c.y() + 8, 2, 14));
            painter.setBrush(QColor::fromHsv(variant * 70 % 360, 170, 255));
            painter.drawEllipse(c, 12, 12);
            painter.setPen(QPen(Qt::white, 2.5));
            painter.setBrush(Qt::NoBrush);
            painter.drawArc(QRectF(c.x() - 8, c.y() - 8, 16, 16), 0, 270 * 16);
            painter.drawArc(QRectF(c.x() - 4, c.y() - 4, 8, 8), 90 * 16, 270 * 16);
        } else {
            painter.setPen(QPen(QColor(60, 60, 60), 1));
            painter.drawLine(c + QPointF(0, 12), c + QPointF(3, 26));
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor::fromHsv(variant * 50 % 360, 200, 240));
            painter.drawEllipse(QRectF(c.x() - 11, c.y() - 13, 22, 26));
            painter.setBrush(QColor(255, 255, 255, 140));
            painter.drawEllipse(QRectF(c.x() - 6, c.y() - 9, 5, 7));
        }
        break;
    case 12: // Barbie: a doll's blonde hair and a big pink heart
        painter.setBrush(QColor(250, 215, 90));
        painter.drawEllipse(QRectF(c.x() - 13, c.y() - 14, 26, 34));
        painter.setBrush(QColor(255, 60, 150));
        {
            QPainterPath heart;
            heart.moveTo(c + QPointF(0, 12));
            heart.cubicTo(c + QPointF(-16, 0), c + QPointF(-10, -14), c + QPointF(0, -5));
            heart.cubicTo(c + QPointF(10, -14), c + QPointF(16, 0), c + QPointF(0, 12));
            painter.drawPath(heart);
        }
        painter.setBrush(Qt::white);
        painter.drawEllipse(c + QPointF(-5, -3), 2, 2);
        break;
    case 13: // Decapitati: no head at all, just the collar and a question
        painter.setPen(QPen(QColor(255, 255, 255, 200), 1.2, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(c, 10, 10);
        painter.setPen(QColor(255, 255, 255, 230));
        painter.setFont(font(13));
        painter.drawText(QRectF(c.x() - 10, c.y() - 10, 20, 20), Qt::AlignCenter, QStringLiteral("?"));
        break;
    case 14: { // Maschere: a carnival mask with feathers
        const QColor mask = QColor::fromHsv((variant * 90 + 40) % 360, 160, 240);
        painter.setBrush(QColor(240, 200, 60));
        for (int i = -1; i <= 1; ++i)
            painter.drawEllipse(QRectF(c.x() + i * 6 - 3, c.y() - 24, 6, 16));
        painter.setBrush(mask);
        painter.drawEllipse(c, 12, 13);
        painter.setBrush(QColor(250, 230, 120));
        painter.drawRect(QRectF(c.x() - 12, c.y() - 3, 24, 2));
        painter.setBrush(Qt::black);
        painter.drawEllipse(c + QPointF(-5, -4), 3.5, 2.2);
        painter.drawEllipse(c + QPointF(5, -4), 3.5, 2.2);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(c.x() - 5, c.y() + 2, 10, 6), 200 * 16, 140 * 16);
        break;
    }
    case 15: { // Muppets: a felt head, wide mouth and ping-pong eyes
        const QColor felt = QColor::fromHsv((variant * 110 + 20) % 360, 190, 220);
        painter.setBrush(felt);
        painter.drawEllipse(QRectF(c.x() - 13, c.y() - 13, 26, 26));
        painter.setBrush(QColor(90, 10, 20));
        painter.drawChord(QRectF(c.x() - 11, c.y() - 4, 22, 16), 180 * 16, 180 * 16);
        painter.setBrush(Qt::white);
        painter.drawEllipse(c + QPointF(-5, -6), 4.5, 4.5);
        painter.drawEllipse(c + QPointF(5, -6), 4.5, 4.5);
        painter.setBrush(Qt::black);
        painter.drawEllipse(c + QPointF(-4, -5), 1.8, 1.8);
        painter.drawEllipse(c + QPointF(4, -5), 1.8, 1.8);
        painter.setBrush(felt.darker(150));
        painter.drawEllipse(QRectF(c.x() - 6, c.y() - 17, 12, 6));
        break;
    }
    case 16: { // Sacchetto: a paper bag with two holes and a drawn smile
        painter.setBrush(QColor(200, 160, 100));
        painter.drawPolygon(QPolygonF({c + QPointF(-12, -15), c + QPointF(-8, -18), c + QPointF(-3, -15),
                                       c + QPointF(2, -18), c + QPointF(7, -15), c + QPointF(12, -17),
                                       c + QPointF(14, 14), c + QPointF(-14, 14)}));
        painter.setBrush(QColor(40, 25, 10));
        painter.drawEllipse(c + QPointF(-5, -4), 2.5, 3);
        painter.drawEllipse(c + QPointF(5, -4), 2.5, 3);
        painter.setPen(QPen(QColor(40, 25, 10), 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(c.x() - 6, c.y() - 1, 12, 8), 200 * 16, 140 * 16);
        break;
    }
    case 17: { // Sbagliati: the wrong thing on the shoulders
        switch (variant % 4) {
        case 0: // a light bulb
            painter.setBrush(QColor(255, 240, 120));
            painter.drawEllipse(c + QPointF(0, -3), 11, 11);
            painter.setBrush(QColor(150, 150, 150));
            painter.drawRect(QRectF(c.x() - 5, c.y() + 7, 10, 7));
            break;
        case 1: // an alarm clock
            painter.setBrush(QColor(200, 40, 40));
            painter.drawEllipse(c + QPointF(-8, -11), 4, 4);
            painter.drawEllipse(c + QPointF(8, -11), 4, 4);
            painter.drawEllipse(c, 12, 12);
            painter.setBrush(Qt::white);
            painter.drawEllipse(c, 9, 9);
            painter.setPen(QPen(Qt::black, 1.5));
            painter.drawLine(c, c + QPointF(0, -6));
            painter.drawLine(c, c + QPointF(5, 0));
            break;
        case 2: // a pineapple
            painter.setBrush(QColor(40, 150, 60));
            painter.drawPolygon(QPolygonF({c + QPointF(-6, -8), c + QPointF(0, -22), c + QPointF(6, -8)}));
            painter.setBrush(QColor(230, 170, 40));
            painter.drawEllipse(QRectF(c.x() - 10, c.y() - 10, 20, 25));
            painter.setPen(QPen(QColor(150, 100, 20), 1));
            for (int i = -1; i <= 1; ++i)
                painter.drawLine(c + QPointF(-8, i * 6), c + QPointF(8, i * 6 + 5));
            break;
        default: // a television set
            painter.setBrush(QColor(80, 60, 50));
            painter.drawRoundedRect(QRectF(c.x() - 14, c.y() - 11, 28, 22), 3, 3);
            painter.setBrush(QColor(140, 200, 230));
            painter.drawRoundedRect(QRectF(c.x() - 11, c.y() - 8, 18, 16), 3, 3);
            painter.setPen(QPen(QColor(60, 60, 60), 1));
            painter.drawLine(c + QPointF(-4, -11), c + QPointF(-9, -19));
            painter.drawLine(c + QPointF(2, -11), c + QPointF(7, -19));
            break;
        }
        break;
    }
    default:
        break;
    }
    painter.restore();
}

// An actor standing on `ground`, the head covered the category's way.
void actor(QPainter &painter, int category, qreal x, qreal ground, qreal height, int variant)
{
    const QColor cloth = QColor::fromHsv((variant * 83 + 200) % 360, 120, 170);
    const qreal shoulders = ground - height * 0.72;
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 40, 55));
    painter.drawRect(QRectF(x - 8, ground - height * 0.38, 6, height * 0.38));
    painter.drawRect(QRectF(x + 2, ground - height * 0.38, 6, height * 0.38));
    painter.setBrush(cloth);
    painter.drawRoundedRect(QRectF(x - 11, shoulders, 22, height * 0.38), 5, 5);
    painter.drawRoundedRect(QRectF(x - 16, shoulders + 2, 6, height * 0.3), 3, 3);
    painter.drawRoundedRect(QRectF(x + 10, shoulders + 2, 6, height * 0.3), 3, 3);
    if (category == 13) { // a collar and nothing above it
        painter.setBrush(cloth.darker(140));
        painter.drawEllipse(QRectF(x - 6, shoulders - 2, 12, 5));
    } else {
        painter.setBrush(QColor(235, 195, 160));
        painter.drawRect(QRectF(x - 3, shoulders - 5, 6, 6));
    }
    painter.restore();
    headCover(painter, category, QPointF(x, shoulders - 14), variant);
}

// The Bonus set: sky and floor of the theme, with a few props.
void bonusSet(QPainter &painter, int category, int seed, int floorY)
{
    const QColor colour = Colours[category];
    painter.fillRect(0, 0, Width, Height, verticalGradient(colour, floorY, 160, 110));
    painter.setPen(Qt::NoPen);
    // Each take at its own hour, with hills or a town behind.
    if (seed % 3 == 1) {
        painter.fillRect(0, 0, Width, floorY, QColor(255, 120, 40, 70));
    } else if (seed % 3 == 2) {
        painter.fillRect(0, 0, Width, floorY, QColor(10, 20, 70, 120));
        painter.setBrush(QColor(255, 255, 230, 200));
        for (int i = 0; i < 12; ++i)
            painter.drawEllipse(QPointF(scatter(seed, i, Width), scatter(seed, i + 20, floorY / 2)), 0.8,
                                0.8);
    }
    painter.setBrush(colour.darker(125));
    if (seed % 2 == 0) {
        painter.drawEllipse(QRect(-30, floorY - 18, 110, 40));
        painter.drawEllipse(QRect(60, floorY - 12, 120, 30));
    } else {
        for (int x = 0; x < Width; x += 16)
            painter.drawRect(x, floorY - 8 - scatter(seed, x, 16), 13, 30);
    }
    painter.setBrush(colour.darker(160));
    painter.drawRect(0, floorY, Width, Height - floorY);
    painter.setBrush(QColor(255, 255, 255, 45));
    switch (category) {
    case 10: // tufts of grass
    case 15:
        for (int i = 0; i < 12; ++i) {
            const int x = scatter(seed, i, Width);
            painter.drawPolygon(
                QPolygon({QPoint(x, floorY), QPoint(x + 3, floorY - 7), QPoint(x + 6, floorY)}));
        }
        break;
    case 11: // a kite in the sky
        painter.setBrush(QColor(255, 230, 80, 200));
        painter.drawPolygon(QPolygon({QPoint(40, 6), QPoint(48, 16), QPoint(40, 28), QPoint(32, 16)}));
        break;
    case 12: // hearts on the wallpaper
    case 14: // bunting
        for (int i = 0; i < 9; ++i) {
            painter.setBrush(QColor::fromHsv((i * 40 + seed * 7) % 360, 140, 255, 110));
            painter.drawPolygon(
                QPolygon({QPoint(i * 22, 0), QPoint(i * 22 + 18, 0), QPoint(i * 22 + 9, 12)}));
        }
        break;
    default: // a spot of stage light
        painter.drawEllipse(QRect(10, floorY - 8, 100, 14));
        break;
    }
}

void clapperboard(QPainter &painter, const QRect &box, const DemoFilms::Film &film)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(30, 30, 35));
    painter.drawRoundedRect(box, 3, 3);
    const QRect stripes(box.left(), box.top(), box.width(), 10);
    painter.setClipRect(stripes);
    painter.setBrush(Qt::white);
    for (int x = box.left() - 10; x < box.right(); x += 14)
        painter.drawPolygon(QPolygon({QPoint(x, stripes.bottom() + 1), QPoint(x + 7, stripes.bottom() + 1),
                                      QPoint(x + 14, stripes.top()), QPoint(x + 7, stripes.top())}));
    painter.setClipping(false);
    const QRect body = box.adjusted(3, 12, -3, -2);
    painter.setPen(Qt::white);
    const int year = std::min(22, body.height() * 9 / 20);
    painter.setFont(font(year - 2));
    painter.drawText(QRect(body.left(), body.top(), body.width(), year), Qt::AlignCenter,
                     QString::number(film.year));
    drawText(painter, QRect(body.left(), body.top() + year, body.width(), body.height() - year),
             QStringLiteral("regia di ") + QString::fromUtf8(film.director), 12, 8, 2);
    painter.restore();
}

QByteArray bonusLook(const DemoFilms::Film &film, int index)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QString hint = initials(QString::fromUtf8(film.title));
    // The band's height first, so that the set can stand on it.
    const int band = bandHeight(hintText(hint));
    const int floorY = Height - band - 8;
    bonusSet(painter, film.category, index, floorY);
    const int actors = 2 + index % 2;
    const qreal step = 104.0 / actors;
    for (int i = 0; i < actors; ++i)
        actor(painter, film.category, 18 + step * (i + 0.5), floorY + 4, std::min(56, floorY - 18),
              index * 3 + i);
    // The emblem on a badge pinned to the set.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 110));
    painter.drawEllipse(QRect(3, 3, 22, 22));
    painter.setPen(Qt::white);
    painter.setFont(font(15, false));
    painter.drawText(QRect(3, 3, 22, 22), Qt::AlignCenter, QString(QChar(film.emblem)));
    clapperboard(painter, QRect(124, 4, 72, floorY - 2), film);
    hintBand(painter, hint, QColor(25, 25, 30));
    painter.end();
    return encoded(image, "JPEG", 90);
}

// ---------------------------------------------------------------------------------------------
// Puzzle cards.

QColor paper()
{
    return QColor(250, 244, 228);
}

void card(QPainter &painter, int category)
{
    painter.fillRect(0, 0, Width, Height, paper());
    painter.setPen(QPen(Colours[category].darker(120), 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(2.5, 2.5, Width - 5, Height - 5), 8, 8);
}

void dashedSlot(QPainter &painter, const QRectF &box, const QColor &ink)
{
    painter.setPen(QPen(ink, 2, Qt::DashLine));
    painter.setBrush(QColor(255, 255, 255, 160));
    painter.drawRoundedRect(box, 6, 6);
    painter.setPen(ink);
    painter.setFont(font(int(box.height() * 0.6)));
    painter.drawText(box, Qt::AlignCenter, QStringLiteral("?"));
}

// Missing: the film and its famous scene, told with a gap; the gap's letters below.
QByteArray missingLook(const DemoFilms::Film &film)
{
    const QStringList parts = QString::fromUtf8(film.clue).split(QLatin1Char('|'));
    const QString element = QString::fromUtf8(film.title);
    const QColor ink = Colours[18];
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    card(painter, 18);
    painter.setPen(ink.darker(130));
    drawText(painter, QRect(8, 6, Width - 16, 16), parts.value(0), 14, 9, 1);
    painter.setPen(QColor(90, 90, 90));
    drawText(painter, QRect(8, 21, Width - 16, 13),
             QStringLiteral("%1, regia di %2").arg(film.year).arg(QString::fromUtf8(film.director)), 11, 8, 1,
             Qt::AlignHCenter, false);
    dashedSlot(painter, QRectF(10, 38, 46, 46), ink);
    painter.setPen(QColor(30, 30, 30));
    drawText(painter, QRect(62, 36, Width - 70, 50), parts.value(1), 13, 9, 4, Qt::AlignLeft, false);
    painter.setPen(ink);
    drawText(painter, QRect(8, 88, Width - 16, 17),
             QStringLiteral("manca: ")
                 + QStringList(element.size(), QStringLiteral("_")).join(QLatin1Char(' '))
                 + QStringLiteral(" (%1)").arg(element.size()),
             14, 9, 1, Qt::AlignHCenter, true);
    painter.end();
    return encoded(image, "PNG", -1);
}

void drawMan(QPainter &painter, const QRectF &r, const QColor &ink)
{
    const QPointF c = r.center();
    const qreal s = r.height() / 44.0;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(c.x(), r.top() + 7 * s), 6 * s, 6 * s);
    painter.drawRoundedRect(QRectF(c.x() - 8 * s, r.top() + 14 * s, 16 * s, 16 * s), 4 * s, 4 * s);
    painter.drawRect(QRectF(c.x() - 7 * s, r.top() + 28 * s, 5 * s, 15 * s));
    painter.drawRect(QRectF(c.x() + 2 * s, r.top() + 28 * s, 5 * s, 15 * s));
    painter.drawRoundedRect(QRectF(c.x() - 13 * s, r.top() + 15 * s, 4 * s, 14 * s), 2, 2);
    painter.drawRoundedRect(QRectF(c.x() + 9 * s, r.top() + 15 * s, 4 * s, 14 * s), 2, 2);
}

// One rebus pictogram in `r` (about 44 × 44): a drawing by name, or a word in capitals.
void pictogram(QPainter &painter, const QString &name, const QRectF &r)
{
    const QPointF c = r.center();
    painter.save();
    painter.setPen(Qt::NoPen);
    auto glyph = [&](char16_t symbol, const QColor &colour, int pixels) {
        painter.setPen(colour);
        painter.setFont(font(pixels, false));
        painter.drawText(r, Qt::AlignCenter, QString(QChar(symbol)));
    };
    if (name == QLatin1String("star")) {
        glyph(u'\u2605', QColor(240, 180, 0), 40);
    } else if (name == QLatin1String("swords")) {
        glyph(u'\u2694', QColor(90, 90, 100), 40);
    } else if (name == QLatin1String("club")) {
        glyph(u'\u2663', Qt::black, 42);
    } else if (name == QLatin1String("finger")) {
        glyph(u'\u261B', QColor(200, 120, 70), 40);
    } else if (name == QLatin1String("moon")) {
        glyph(u'\u263E', QColor(220, 170, 0), 42);
    } else if (name == QLatin1String("man")) {
        drawMan(painter, r, QColor(40, 60, 120));
    } else if (name == QLatin1String("rain")) {
        glyph(u'\u2601', QColor(120, 130, 150), 36);
        painter.setPen(QPen(QColor(40, 110, 220), 2, Qt::SolidLine, Qt::RoundCap));
        for (int i = -1; i <= 1; ++i)
            painter.drawLine(c + QPointF(i * 9, 9), c + QPointF(i * 9 - 3, 19));
    } else if (name == QLatin1String("bat")) {
        QPainterPath bat;
        bat.moveTo(c + QPointF(0, -6));
        bat.cubicTo(c + QPointF(-8, -12), c + QPointF(-16, -10), c + QPointF(-22, -4));
        bat.quadTo(c + QPointF(-14, -2), c + QPointF(-12, 6));
        bat.quadTo(c + QPointF(-7, 0), c + QPointF(-3, 8));
        bat.lineTo(c + QPointF(0, 4));
        bat.lineTo(c + QPointF(3, 8));
        bat.quadTo(c + QPointF(7, 0), c + QPointF(12, 6));
        bat.quadTo(c + QPointF(14, -2), c + QPointF(22, -4));
        bat.cubicTo(c + QPointF(16, -10), c + QPointF(8, -12), c + QPointF(0, -6));
        painter.fillPath(bat, QColor(25, 25, 30));
        painter.setBrush(QColor(25, 25, 30));
        painter.drawPolygon(QPolygonF({c + QPointF(-4, -5), c + QPointF(-3, -11), c + QPointF(-1, -6),
                                       c + QPointF(1, -6), c + QPointF(3, -11), c + QPointF(4, -5)}));
    } else if (name == QLatin1String("top")) {
        painter.setBrush(QColor(210, 50, 40));
        painter.drawPolygon(QPolygonF({c + QPointF(-16, -4), c + QPointF(16, -4), c + QPointF(0, 18)}));
        painter.setBrush(QColor(250, 200, 40));
        painter.drawEllipse(QRectF(c.x() - 16, c.y() - 10, 32, 12));
        painter.setBrush(QColor(120, 70, 30));
        painter.drawRect(QRectF(c.x() - 2, c.y() - 20, 4, 12));
    } else if (name == QLatin1String("gun")) {
        painter.setBrush(QColor(50, 50, 55));
        painter.drawPolygon(QPolygonF({c + QPointF(-18, -10), c + QPointF(18, -10), c + QPointF(18, -2),
                                       c + QPointF(-4, -2), c + QPointF(-6, 14), c + QPointF(-16, 14),
                                       c + QPointF(-12, -2), c + QPointF(-18, -2)}));
        painter.setPen(QPen(QColor(50, 50, 55), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(c.x() - 8, c.y() - 6, 8, 10), 180 * 16, 180 * 16);
    } else if (name == QLatin1String("gold")) {
        painter.setBrush(QColor(235, 185, 30));
        painter.setPen(QPen(QColor(160, 110, 0), 1));
        for (const QPointF &at : {QPointF(-11, 4), QPointF(11, 4), QPointF(0, -8)})
            painter.drawPolygon(QPolygonF({c + at + QPointF(-10, 6), c + at + QPointF(10, 6),
                                           c + at + QPointF(7, -6), c + at + QPointF(-7, -6)}));
    } else if (name == QLatin1String("light")) {
        painter.setBrush(QColor(255, 225, 60));
        painter.drawEllipse(c + QPointF(0, -5), 12, 12);
        painter.setBrush(QColor(140, 140, 150));
        painter.drawRect(QRectF(c.x() - 6, c.y() + 6, 12, 9));
        painter.setPen(QPen(QColor(240, 170, 0), 2, Qt::SolidLine, Qt::RoundCap));
        for (int i = 0; i < 5; ++i) {
            painter.save();
            painter.translate(c + QPointF(0, -5));
            painter.rotate(-150 + i * 30 + 60);
            painter.drawLine(QPointF(0, -15), QPointF(0, -20));
            painter.restore();
        }
    } else if (name == QLatin1String("iron")) {
        painter.setBrush(QColor(170, 175, 185));
        painter.drawPolygon(
            QPolygonF({c + QPointF(-18, 10), c + QPointF(16, 10), c + QPointF(10, -2), c + QPointF(-8, -2)}));
        painter.setPen(QPen(QColor(60, 60, 70), 4, Qt::SolidLine, Qt::RoundCap));
        painter.setBrush(Qt::NoBrush);
        painter.drawLine(c + QPointF(-6, -10), c + QPointF(8, -10));
        painter.drawLine(c + QPointF(-6, -10), c + QPointF(-6, -2));
        painter.setPen(QPen(QColor(200, 60, 40), 2));
        painter.drawLine(c + QPointF(-14, 14), c + QPointF(12, 14));
    } else if (name == QLatin1String("ghost")) {
        QPainterPath ghost;
        ghost.moveTo(c + QPointF(-13, 16));
        ghost.lineTo(c + QPointF(-13, -4));
        ghost.cubicTo(c + QPointF(-13, -22), c + QPointF(13, -22), c + QPointF(13, -4));
        ghost.lineTo(c + QPointF(13, 16));
        for (int i = 0; i < 4; ++i)
            ghost.quadTo(c + QPointF(13 - i * 6.5 - 3.25, 10), c + QPointF(13 - (i + 1) * 6.5, 16));
        painter.setPen(QPen(QColor(80, 80, 90), 1.2));
        painter.setBrush(Qt::white);
        painter.drawPath(ghost);
        painter.setBrush(Qt::black);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(c + QPointF(-5, -5), 2.5, 3.5);
        painter.drawEllipse(c + QPointF(5, -5), 2.5, 3.5);
    } else if (name == QLatin1String("bus")) {
        painter.setBrush(QColor(245, 190, 20));
        painter.drawRoundedRect(QRectF(c.x() - 20, c.y() - 13, 40, 24), 4, 4);
        painter.setBrush(QColor(150, 210, 240));
        for (int i = 0; i < 4; ++i)
            painter.drawRect(QRectF(c.x() - 17 + i * 9, c.y() - 9, 7, 8));
        painter.setBrush(QColor(40, 40, 40));
        painter.drawEllipse(c + QPointF(-11, 12), 4.5, 4.5);
        painter.drawEllipse(c + QPointF(11, 12), 4.5, 4.5);
    } else if (name == QLatin1String("spider")) {
        painter.setPen(QPen(QColor(20, 20, 20), 1.6));
        for (int i = 0; i < 4; ++i) {
            const qreal dy = -9 + i * 6;
            painter.drawPolyline(
                QPolygonF({c + QPointF(-4, dy / 2), c + QPointF(-13, dy - 5), c + QPointF(-18, dy + 6)}));
            painter.drawPolyline(
                QPolygonF({c + QPointF(4, dy / 2), c + QPointF(13, dy - 5), c + QPointF(18, dy + 6)}));
        }
        painter.setPen(QPen(QColor(20, 20, 20), 1));
        painter.drawLine(c + QPointF(0, -22), c + QPointF(0, -10));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(20, 20, 20));
        painter.drawEllipse(c + QPointF(0, 3), 7, 9);
        painter.drawEllipse(c + QPointF(0, -8), 4.5, 4.5);
    } else { // a word
        painter.setPen(QColor(30, 30, 30));
        drawText(painter, r.toRect(), name, 20, 10, 1);
    }
    painter.restore();
}

// Rebus: pictograms joined by "+", the word lengths of the English title below.
QByteArray rebusLook(const DemoFilms::Film &film)
{
    const QStringList names = QString::fromUtf8(film.clue).split(QLatin1Char('+'));
    const QColor ink = Colours[19];
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    card(painter, 19);
    painter.setPen(ink.darker(120));
    drawText(painter, QRect(10, 6, Width - 20, 14),
             QStringLiteral("%1, regia di %2").arg(film.year).arg(QString::fromUtf8(film.director)), 12, 8,
             1);
    const int n = int(names.size());
    const int cell = n == 2 ? 56 : 48;
    const int gap = 16;
    const int total = n * cell + (n - 1) * gap;
    int x = (Width - total) / 2;
    for (int i = 0; i < n; ++i) {
        const QRectF box(x, 24, cell, 54);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawRoundedRect(box, 6, 6);
        pictogram(painter, names[i], box.adjusted(3, 3, -3, -3));
        if (i + 1 < n) {
            painter.setPen(ink);
            painter.setFont(font(18));
            painter.drawText(QRect(x + cell, 24, gap, 54), Qt::AlignCenter, QStringLiteral("+"));
        }
        x += cell + gap;
    }
    painter.setPen(ink.darker(130));
    drawText(painter, QRect(8, 82, Width - 16, 22),
             QStringLiteral("in inglese: ") + wordLengths(QString::fromUtf8(film.title)), 15, 9, 1);
    painter.end();
    return encoded(image, "PNG", -1);
}

// Vestiti: a faceless tailor's dummy wearing the film's costume, a tag with year and director.
void dummy(QPainter &painter, const QStringList &outfit, qreal x, qreal top, qreal bottom)
{
    const QString hat = outfit.value(0), upper = outfit.value(1), lower = outfit.value(2);
    const QStringList extras = outfit.value(3).split(QLatin1Char('+'));
    auto has = [&](const char *extra) { return extras.contains(QLatin1String(extra)); };
    auto colourOf = [](const QString &part) {
        if (part.endsWith(QLatin1String("nera")) || part.endsWith(QLatin1String("neri")))
            return QColor(25, 25, 30);
        if (part.endsWith(QLatin1String("rossa")))
            return QColor(200, 30, 40);
        if (part.endsWith(QLatin1String("bianchi")))
            return QColor(245, 245, 240);
        if (part.endsWith(QLatin1String("blu")))
            return QColor(30, 60, 170);
        if (part.endsWith(QLatin1String("marroni")))
            return QColor(110, 70, 40);
        return QColor(60, 40, 80); // the long evening skirt
    };
    const qreal head = top + 10, shoulders = top + 22, waist = top + 48;
    painter.save();
    painter.setPen(Qt::NoPen);
    if (has("mantello")) {
        painter.setBrush(QColor(210, 30, 30));
        painter.drawPolygon(QPolygonF({QPointF(x - 12, shoulders), QPointF(x + 12, shoulders),
                                       QPointF(x + 22, bottom - 6), QPointF(x - 22, bottom - 6)}));
    }
    // Stand and head of the dummy: no face.
    painter.setBrush(QColor(120, 90, 60));
    painter.drawRect(QRectF(x - 1.5, waist, 3, bottom - waist));
    painter.drawRect(QRectF(x - 12, bottom - 3, 24, 3));
    painter.setBrush(QColor(225, 215, 200));
    painter.drawEllipse(QPointF(x, head), 7, 9);
    painter.drawRect(QRectF(x - 2.5, head + 7, 5, 6));
    // The lower half.
    const QColor low = colourOf(lower);
    painter.setBrush(low);
    if (lower.startsWith(QLatin1String("gonna"))) {
        const qreal hem = lower == QLatin1String("gonna_lunga") ? bottom - 6 : waist + 26;
        painter.drawPolygon(QPolygonF(
            {QPointF(x - 10, waist), QPointF(x + 10, waist), QPointF(x + 17, hem), QPointF(x - 17, hem)}));
    } else {
        painter.drawRect(QRectF(x - 10, waist, 9, bottom - waist - 4));
        painter.drawRect(QRectF(x + 1, waist, 9, bottom - waist - 4));
    }
    // The upper half.
    const QRectF torso(x - 12, shoulders, 24, waist - shoulders + 2);
    auto sleeves = [&](const QColor &colour) {
        painter.setBrush(colour);
        painter.drawRoundedRect(QRectF(x - 17, shoulders + 1, 6, 24), 3, 3);
        painter.drawRoundedRect(QRectF(x + 11, shoulders + 1, 6, 24), 3, 3);
    };
    if (upper == QLatin1String("frac") || upper == QLatin1String("completo_nero")) {
        sleeves(QColor(20, 20, 25));
        painter.setBrush(QColor(20, 20, 25));
        painter.drawRect(torso);
        if (upper == QLatin1String("frac")) // the tails
            painter.drawPolygon(
                QPolygonF({QPointF(x - 12, waist), QPointF(x - 2, waist), QPointF(x - 8, waist + 22)}));
        painter.setBrush(Qt::white);
        painter.drawPolygon(
            QPolygonF({QPointF(x - 5, shoulders), QPointF(x + 5, shoulders), QPointF(x, waist - 6)}));
        painter.setBrush(Qt::black);
        if (upper == QLatin1String("frac")) {
            painter.drawPolygon(QPolygonF(
                {QPointF(x - 5, shoulders + 1), QPointF(x, shoulders + 3), QPointF(x - 5, shoulders + 5)}));
            painter.drawPolygon(QPolygonF(
                {QPointF(x + 5, shoulders + 1), QPointF(x, shoulders + 3), QPointF(x + 5, shoulders + 5)}));
        } else {
            painter.drawPolygon(QPolygonF({QPointF(x - 1.5, shoulders + 1), QPointF(x + 1.5, shoulders + 1),
                                           QPointF(x + 2, shoulders + 16), QPointF(x, shoulders + 19),
                                           QPointF(x - 2, shoulders + 16)}));
        }
    } else if (upper == QLatin1String("cappotto")) {
        sleeves(QColor(30, 30, 35));
        painter.setBrush(QColor(30, 30, 35));
        painter.drawRect(QRectF(x - 13, shoulders, 26, waist - shoulders + 24));
        painter.setBrush(QColor(200, 200, 200));
        painter.drawRect(QRectF(x - 0.5, shoulders + 4, 1, waist - shoulders + 18));
    } else if (upper == QLatin1String("cardigan")) {
        sleeves(QColor(40, 120, 60));
        painter.setBrush(QColor(200, 30, 40));
        painter.drawRect(torso);
        painter.setBrush(QColor(40, 120, 60));
        painter.drawRect(QRectF(x - 12, shoulders, 8, waist - shoulders + 2));
        painter.drawRect(QRectF(x + 4, shoulders, 8, waist - shoulders + 2));
    } else if (upper == QLatin1String("tubino") || upper == QLatin1String("abito_da_sera")) {
        const QColor dress = upper == QLatin1String("tubino") ? QColor(25, 25, 30) : QColor(60, 40, 80);
        painter.setBrush(dress);
        painter.drawPolygon(QPolygonF({QPointF(x - 12, shoulders + 2), QPointF(x + 12, shoulders + 2),
                                       QPointF(x + 10, waist + 2), QPointF(x - 10, waist + 2)}));
        if (upper == QLatin1String("tubino")) { // the boat neckline and the bow
            painter.setBrush(QColor(25, 25, 30));
            painter.drawEllipse(QRectF(x - 14, shoulders - 1, 28, 5));
        }
    } else if (upper == QLatin1String("giacca_bianca")) {
        sleeves(QColor(245, 245, 240));
        painter.setBrush(QColor(245, 245, 240));
        painter.drawRect(torso);
        painter.setBrush(QColor(20, 20, 25));
        painter.drawPolygon(
            QPolygonF({QPointF(x - 6, shoulders), QPointF(x + 6, shoulders), QPointF(x, waist - 8)}));
    } else if (upper == QLatin1String("camicia_pirata")) {
        sleeves(QColor(240, 235, 220));
        painter.setBrush(QColor(240, 235, 220));
        painter.drawRect(torso);
        painter.setBrush(QColor(110, 70, 40));
        painter.drawRect(QRectF(x - 12, shoulders, 7, waist - shoulders + 2));
        painter.drawRect(QRectF(x + 5, shoulders, 7, waist - shoulders + 2));
        painter.setBrush(QColor(180, 30, 30));
        painter.drawRect(QRectF(x - 12, waist - 5, 24, 6));
    } else if (upper == QLatin1String("eroe")) {
        sleeves(QColor(30, 60, 170));
        painter.setBrush(QColor(30, 60, 170));
        painter.drawRect(torso);
        painter.setBrush(QColor(240, 200, 30));
        painter.drawPolygon(QPolygonF({QPointF(x - 7, shoulders + 4), QPointF(x + 7, shoulders + 4),
                                       QPointF(x + 8, shoulders + 8), QPointF(x, shoulders + 15),
                                       QPointF(x - 8, shoulders + 8)}));
        painter.setPen(QColor(200, 20, 30));
        painter.setFont(font(8));
        painter.drawText(QRectF(x - 7, shoulders + 4, 14, 10), Qt::AlignCenter, QStringLiteral("S"));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(200, 20, 30));
        painter.drawRect(QRectF(x - 12, waist - 3, 24, 4));
    } else if (upper == QLatin1String("kimono")) {
        sleeves(QColor(245, 245, 240));
        painter.setBrush(QColor(245, 245, 240));
        painter.drawRect(torso);
        painter.setPen(QPen(QColor(180, 180, 170), 1));
        painter.drawLine(QPointF(x - 7, shoulders), QPointF(x + 3, waist - 4));
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(20, 20, 20));
        painter.drawRect(QRectF(x - 12, waist - 4, 24, 4));
        painter.drawRect(QRectF(x + 2, waist - 1, 3, 9));
    }
    // Hats and hair.
    if (hat == QLatin1String("cilindro")) {
        painter.setBrush(QColor(20, 20, 25));
        painter.drawRect(QRectF(x - 11, head - 9, 22, 3));
        painter.drawRect(QRectF(x - 6.5, head - 24, 13, 16));
    } else if (hat == QLatin1String("caschetto")) {
        painter.setBrush(QColor(30, 20, 15));
        painter.drawChord(QRectF(x - 9, head - 11, 18, 22), 0, 180 * 16);
        painter.drawRect(QRectF(x - 9, head - 1, 4, 9));
        painter.drawRect(QRectF(x + 5, head - 1, 4, 9));
    } else if (hat == QLatin1String("pirata")) {
        painter.setBrush(QColor(180, 30, 30));
        painter.drawRect(QRectF(x - 8, head - 8, 16, 4));
        painter.setBrush(QColor(35, 25, 20));
        painter.drawPolygon(
            QPolygonF({QPointF(x - 15, head - 8), QPointF(x + 15, head - 8), QPointF(x + 8, head - 15),
                       QPointF(x, head - 19), QPointF(x - 8, head - 15)}));
        painter.setPen(Qt::white);
        painter.setFont(font(7, false));
        painter.drawText(QRectF(x - 5, head - 19, 10, 10), Qt::AlignCenter, QStringLiteral("\u2620"));
        painter.setPen(Qt::NoPen);
    } else if (hat == QLatin1String("fascia")) {
        painter.setBrush(Qt::white);
        painter.drawRect(QRectF(x - 8, head - 5, 16, 4));
        painter.setBrush(QColor(200, 30, 30));
        painter.drawEllipse(QPointF(x, head - 3), 2, 2);
        painter.setBrush(Qt::white);
        painter.drawPolygon(
            QPolygonF({QPointF(x + 7, head - 4), QPointF(x + 15, head + 2), QPointF(x + 12, head + 4)}));
    }
    // Accessories.
    if (has("occhiali")) {
        painter.setBrush(QColor(10, 10, 10));
        painter.drawRoundedRect(QRectF(x - 7, head, 6, 4), 1.5, 1.5);
        painter.drawRoundedRect(QRectF(x + 1, head, 6, 4), 1.5, 1.5);
        painter.drawRect(QRectF(x - 1, head + 1, 2, 1));
    }
    if (has("perle")) {
        painter.setBrush(Qt::white);
        for (int i = -3; i <= 3; ++i)
            painter.drawEllipse(QPointF(x + i * 2.4, shoulders + 4 + (9 - i * i) * 0.5), 1.3, 1.3);
    }
    if (has("borsa")) {
        painter.setBrush(QColor(170, 30, 60));
        painter.drawRoundedRect(QRectF(x + 14, shoulders + 22, 12, 9), 2, 2);
        painter.setPen(QPen(QColor(170, 30, 60), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawArc(QRectF(x + 16, shoulders + 17, 8, 9), 0, 180 * 16);
        painter.setPen(Qt::NoPen);
    }
    if (has("bastone")) {
        painter.setPen(QPen(QColor(20, 20, 20), 2));
        painter.drawLine(QPointF(x + 17, shoulders + 22), QPointF(x + 22, bottom - 4));
        painter.drawArc(QRectF(x + 13, shoulders + 18, 8, 8), 0, 180 * 16);
        painter.setPen(Qt::NoPen);
    }
    if (has("spada")) {
        painter.setPen(QPen(QColor(190, 190, 200), 2));
        painter.drawLine(QPointF(x + 16, waist - 2), QPointF(x + 28, bottom - 10));
        painter.setPen(QPen(QColor(200, 160, 40), 3));
        painter.drawLine(QPointF(x + 12, waist), QPointF(x + 19, waist - 5));
        painter.setPen(Qt::NoPen);
    }
    if (has("spilli")) {
        painter.setBrush(QColor(230, 60, 60));
        for (int i = 0; i < 4; ++i)
            painter.drawEllipse(QPointF(x - 6 + i * 4, waist + 10 + (i % 2) * 6), 1.5, 1.5);
    }
    if (has("discoteca")) {
        painter.setBrush(QColor(220, 220, 235));
        painter.drawEllipse(QPointF(x + 26, top + 2), 7, 7);
        painter.setPen(QPen(QColor(150, 150, 170), 0.8));
        painter.drawLine(QPointF(x + 19, top + 2), QPointF(x + 33, top + 2));
        painter.drawLine(QPointF(x + 26, top - 5), QPointF(x + 26, top + 9));
        painter.setPen(Qt::NoPen);
    }
    painter.restore();
}

// The dummy scaled to stand between `top` (a top hat's tip) and `bottom` (its foot).
void standingDummy(QPainter &painter, const QStringList &outfit, qreal x, qreal top, qreal bottom)
{
    painter.save();
    const qreal scale = (bottom - top) / 98.0; // drawn 98 units tall: 14 of hat, 84 of dummy
    painter.translate(x, top);
    painter.scale(scale, scale);
    dummy(painter, outfit, 0, 14, 98);
    painter.restore();
}

// A clothes tag with the year and the director, hanging on a string.
void tag(QPainter &painter, const QRect &box, const DemoFilms::Film &film, const QColor &ink)
{
    painter.save();
    painter.setPen(QPen(ink, 1.5));
    painter.setBrush(Qt::white);
    painter.drawPolygon(
        QPolygon({QPoint(box.left() + 10, box.top()), box.topRight(), box.bottomRight(),
                  QPoint(box.left() + 10, box.bottom()), QPoint(box.left(), box.center().y())}));
    painter.drawEllipse(QPoint(box.left() + 9, box.center().y()), 2, 2);
    const QRect body = box.adjusted(13, 2, -3, -2);
    painter.setPen(ink.darker(120));
    painter.setFont(font(19));
    painter.drawText(QRect(body.left(), body.top(), body.width(), 22), Qt::AlignCenter,
                     QString::number(film.year));
    drawText(painter, QRect(body.left(), body.top() + 22, body.width(), body.height() - 22),
             QStringLiteral("regia di ") + QString::fromUtf8(film.director), 12, 8, 2);
    painter.restore();
}

QByteArray clothesLook(const DemoFilms::Film &film)
{
    const QColor ink = Colours[20];
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // The initials alone, on one line: the costume needs the room.
    const QString hint = firstLetters(QString::fromUtf8(film.title));
    // A boutique's striped wall.
    painter.fillRect(0, 0, Width, Height, QColor(248, 232, 236));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(240, 214, 224));
    for (int x = 0; x < Width; x += 16)
        painter.drawRect(x, 0, 8, Height);
    const int top = hintBand(painter, hint, ink.darker(130));
    painter.setBrush(QColor(200, 170, 150));
    painter.drawRect(0, top - 6, Width, 6);
    // A round mirror on the wall with the film's emblem.
    painter.setPen(QPen(QColor(200, 160, 60), 3));
    painter.setBrush(QColor(225, 240, 245));
    painter.drawEllipse(QRect(8, 14, 30, 38));
    painter.setPen(ink);
    painter.setFont(font(18, false));
    painter.drawText(QRect(8, 14, 30, 38), Qt::AlignCenter, QString(QChar(film.emblem)));
    standingDummy(painter, QString::fromUtf8(film.clue).split(QLatin1Char(',')), 62, 3, top - 6);
    tag(painter, QRect(118, 6, 76, top - 14), film, ink);
    painter.end();
    return encoded(image, "PNG", -1);
}

// ---------------------------------------------------------------------------------------------
// Covers: the category's own look, the top left corner (52 × 52) and the bottom band left free.

void coverSymbol(QPainter &painter, char16_t symbol, const QRect &box, const QColor &colour)
{
    painter.setPen(colour);
    painter.setFont(font(box.height() * 4 / 5, false));
    painter.drawText(box, Qt::AlignCenter, QString(QChar(symbol)));
}

// The black and white of old films printed in sepia: a grey of the picture becomes the brown of
// that lightness, so the cover is in colour like every open category's, and unlike a locked one.
QImage sepia(const QImage &picture)
{
    QImage toned = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < toned.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(toned.scanLine(y));
        for (int x = 0; x < toned.width(); ++x) {
            const qreal v = qGray(line[x]) / 255.0;
            line[x] = qRgb(int(40 + 215 * v), int(20 + 200 * v * v + 15 * v), int(5 + 150 * v * v * v));
        }
    }
    return toned;
}

QImage classicCover(int category)
{
    static const char16_t Symbols[10] = {0,         u'\u270E', u'\u26A1', u'\u2605', u'\u263A',
                                         u'\u263B', u'\u2614', u'\u2604', u'\u2727', u'\u2620'};
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    genreBackdrop(painter, category, category * 11);
    // A film frame in the middle holding the genre's sign.
    const QRect frame(62, 10, 96, 64);
    painter.setPen(QPen(QColor(255, 255, 255, 200), 2));
    painter.setBrush(QColor(0, 0, 0, 70));
    painter.drawRoundedRect(frame, 6, 6);
    painter.save();
    if (category == 5) { // Demenziali: the face tumbles
        painter.translate(frame.center());
        painter.rotate(160);
        painter.translate(-frame.center());
    }
    if (category == 7) { // Fantascienza: a ringed planet
        const QPointF c = frame.center();
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawEllipse(c, 20, 20);
        painter.setPen(QPen(Qt::white, 3));
        painter.setBrush(Qt::NoBrush);
        painter.translate(c);
        painter.rotate(-18);
        painter.drawArc(QRectF(-40, -9, 80, 18), 200 * 16, 140 * 16); // the ring's near side
        painter.drawArc(QRectF(-40, -9, 80, 18), -20 * 16, 40 * 16);
        painter.drawArc(QRectF(-40, -9, 80, 18), 160 * 16, 40 * 16);
    } else {
        coverSymbol(painter, Symbols[category], frame.adjusted(4, 2, -4, -2), Qt::white);
    }
    painter.restore();
    painter.end();
    return category == 3 ? sepia(image) : image;
}

QImage bonusCover(int category)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    bonusSet(painter, category, category, 74);
    for (int i = 0; i < 3; ++i)
        actor(painter, category, 80 + i * 40, 78, 62, category + i);
    return image;
}

QImage puzzleCover(int category)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    card(painter, category);
    const QColor ink = Colours[category];
    if (category == 18) {
        drawMan(painter, QRectF(66, 16, 40, 56), ink.darker(110));
        dashedSlot(painter, QRectF(116, 18, 56, 56), ink);
    } else if (category == 19) {
        const QStringList names {QStringLiteral("star"), QStringLiteral("swords")};
        for (int i = 0; i < 2; ++i) {
            const QRectF box(60 + i * 66, 16, 48, 56);
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::white);
            painter.drawRoundedRect(box, 6, 6);
            pictogram(painter, names[i], box.adjusted(2, 4, -2, -4));
        }
        painter.setPen(ink);
        painter.setFont(font(22));
        painter.drawText(QRect(108, 16, 18, 56), Qt::AlignCenter, QStringLiteral("+"));
        painter.drawText(QRect(174, 16, 22, 56), Qt::AlignCenter, QStringLiteral("?"));
    } else {
        painter.fillRect(8, 8, Width - 16, 70, QColor(248, 232, 236));
        const QStringList first
            = QString::fromUtf8("cilindro,frac,pantaloni_neri,bastone").split(QLatin1Char(','));
        const QStringList second
            = QString::fromUtf8("caschetto,cardigan,gonna_rossa,borsa").split(QLatin1Char(','));
        standingDummy(painter, first, 86, 9, 77);
        standingDummy(painter, second, 146, 9, 77);
    }
    return image;
}
} // namespace

QString hideVowels(const QString &title)
{
    return perLetter(title, [](QChar c, int at) {
        return at > 0 && QStringLiteral("aeiouAEIOU").contains(c) ? QChar(QLatin1Char('_')) : c;
    });
}

QString initials(const QString &title)
{
    return perLetter(title, [](QChar c, int at) { return at == 0 ? c : QChar(QLatin1Char('_')); });
}

QString firstLetters(const QString &title)
{
    QString result;
    int inWord = 0;
    for (const QChar c : title) {
        if (c.isLetterOrNumber()) {
            if (inWord++ == 0)
                result += c;
            continue;
        }
        if (inWord > 0)
            result += QLatin1Char('.');
        inWord = 0;
        if (c != QLatin1Char('\''))
            result += c;
    }
    if (inWord > 0)
        result += QLatin1Char('.');
    return result;
}

QString wordLengths(const QString &title)
{
    QString result;
    int length = 0;
    for (const QChar c : title) {
        if (c.isLetterOrNumber()) {
            ++length;
            continue;
        }
        if (length > 0)
            result += QString::number(length);
        length = 0;
        result += c;
    }
    if (length > 0)
        result += QString::number(length);
    return result;
}

QByteArray picture(const DemoFilms::Film &film, int index, QString *suffix)
{
    *suffix = film.category <= 17 ? QStringLiteral("jpg") : QStringLiteral("png");
    if (film.category <= 9)
        return classicLook(film, index);
    if (film.category <= 17)
        return bonusLook(film, index);
    if (film.category == 18)
        return missingLook(film);
    if (film.category == 19)
        return rebusLook(film);
    return clothesLook(film);
}

QImage cover(int category)
{
    if (category <= 9)
        return classicCover(category);
    if (category <= 17)
        return bonusCover(category);
    return puzzleCover(category);
}

QStringList overflows()
{
    return overflowList();
}

} // namespace DemoArt
