#include "demo/DemoArt.h"

#include "content/mdlGeneral.h"

#include <QBuffer>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

namespace DemoArt {

namespace {
// One colour per category: the genre (or theme) shows at a glance.
const QColor Colours[21] = {{},
                            {230, 140, 30},
                            {200, 40, 30},
                            {150, 110, 70},
                            {240, 190, 40},
                            {220, 60, 170},
                            {70, 90, 170},
                            {30, 150, 190},
                            {120, 60, 170},
                            {50, 50, 60},
                            {70, 160, 60},
                            {250, 120, 120},
                            {240, 110, 190},
                            {140, 30, 30},
                            {90, 90, 90},
                            {60, 170, 120},
                            {170, 140, 100},
                            {200, 100, 40},
                            {60, 60, 140},
                            {40, 120, 120},
                            {160, 50, 110}};

QFont font(int pixels, bool bold = true)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// The largest size (up to `pixels`) at which the text fits the box, on two lines if need be.
void drawFitted(QPainter &painter, const QRect &box, const QString &text, int pixels)
{
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    for (; pixels > 7; --pixels) {
        painter.setFont(font(pixels));
        const QRect needed = painter.fontMetrics().boundingRect(box, flags, text);
        if (needed.width() <= box.width() && needed.height() <= box.height())
            break;
    }
    painter.drawText(box, flags, text);
}

// Applies `change` to each letter of each word; `first` tells whether it is a word's first letter.
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

// Genre background, emblem, year and director: what every look starts from.
QImage scene(const DemoFilms::Film &film)
{
    QImage image(Width, Height, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor colour = Colours[film.category];
    QLinearGradient sky(0, 0, 0, Height);
    sky.setColorAt(0, colour.lighter(150));
    sky.setColorAt(1, colour.darker(170));
    painter.fillRect(image.rect(), sky);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour.darker(130));
    painter.drawEllipse(QRect(-60, 62, 330, 110));
    painter.setBrush(QColor(255, 255, 255, 70));
    painter.drawEllipse(QRect(10, 10, 64, 64));
    painter.setPen(Qt::white);
    painter.setFont(font(40, false));
    painter.drawText(QRect(10, 10, 64, 64), Qt::AlignCenter, QString(QChar(film.emblem)));
    painter.setFont(font(28));
    painter.drawText(QRect(78, 6, 114, 36), Qt::AlignRight | Qt::AlignVCenter, QString::number(film.year));
    drawFitted(painter, QRect(78, 42, 114, 18),
               QStringLiteral("regia di ") + QString::fromUtf8(film.director), 12);
    return image;
}

void caption(QImage &image, const QString &text, const QColor &back)
{
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(0, 80, Width, Height - 80, back);
    painter.setPen(Qt::white);
    drawFitted(painter, QRect(4, 80, Width - 8, Height - 80), text, 16);
}

QByteArray classicLook(const DemoFilms::Film &film)
{
    QImage image = scene(film);
    caption(image, hideVowels(QString::fromUtf8(film.title)), QColor(0, 0, 0, 150));
    return encoded(image, "JPEG", 88);
}

// The scene half hidden behind bold stripes and discs, with the initials as the only text.
QByteArray bonusLook(const DemoFilms::Film &film, int index)
{
    QImage image = scene(film);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        const QColor stripe = QColor::fromHsv((index * 67) % 360, 200, 240, 200);
        for (int x = -110 + (index * 7) % 22, i = 0; x < Width; x += 22, ++i) {
            painter.setBrush(i % 2 ? stripe : QColor(20, 20, 20, 170));
            painter.drawPolygon(
                QPolygon({QPoint(x, 80), QPoint(x + 10, 80), QPoint(x + 90, 0), QPoint(x + 80, 0)}));
        }
        for (int i = 0; i < 3; ++i) {
            painter.setBrush(QColor::fromHsv((index * 41 + i * 120) % 360, 230, 250));
            const int r = 9 + (index + i * 5) % 9;
            painter.drawEllipse(QPoint((index * 53 + i * 71) % Width, (index * 29 + i * 43) % 80), r, r);
        }
    }
    caption(image, initials(QString::fromUtf8(film.title)), QColor(30, 30, 30));
    return encoded(image, "JPEG", 88);
}

// A clue card: the puzzle's name, the emblem, year and director, and the title in riddle form.
QByteArray puzzleLook(const DemoFilms::Film &film)
{
    const QString title = QString::fromUtf8(film.title);
    const QString clue = film.category == 18   ? everyOtherLetter(title)
                         : film.category == 19 ? boxes(title)
                                               : anagram(title);
    const QColor ink = Colours[film.category].darker(150);
    QImage image(Width, Height, QImage::Format_RGB32);
    image.fill(QColor(250, 244, 228));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ink, 3));
    painter.drawRoundedRect(QRectF(2.5, 2.5, Width - 5, Height - 5), 8, 8);
    painter.setFont(font(38, false));
    painter.drawText(QRect(8, 6, 60, 60), Qt::AlignCenter, QString(QChar(film.emblem)));
    painter.setFont(font(11));
    painter.drawText(QRect(72, 8, 120, 16), Qt::AlignRight, mdlGeneral::GetCatName(film.category).toUpper());
    painter.setFont(font(24));
    painter.drawText(QRect(72, 24, 120, 28), Qt::AlignRight, QString::number(film.year));
    drawFitted(painter, QRect(72, 52, 120, 16),
               QStringLiteral("regia di ") + QString::fromUtf8(film.director), 11);
    painter.setPen(Qt::black);
    drawFitted(painter, QRect(8, 70, Width - 16, 34), clue, 15);
    painter.end();
    return encoded(image, "PNG", -1);
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

QString everyOtherLetter(const QString &title)
{
    return perLetter(title, [](QChar c, int at) { return at % 2 == 0 ? c : QChar(QLatin1Char('_')); });
}

QString boxes(const QString &title)
{
    return perLetter(title, [](QChar c, int at) { return at == 0 ? c : QChar(u'\u25A1'); });
}

QString anagram(const QString &title)
{
    QString result;
    QString word;
    auto flush = [&]() {
        std::sort(word.begin(), word.end(), [](QChar a, QChar b) { return a.toLower() < b.toLower(); });
        result += word.toLower();
        word.clear();
    };
    for (const QChar c : title) {
        if (c.isLetterOrNumber()) {
            word += c;
        } else {
            flush();
            result += c;
        }
    }
    flush();
    return result;
}

QByteArray picture(const DemoFilms::Film &film, int index, QString *suffix)
{
    if (film.category <= 9) {
        *suffix = QStringLiteral("jpg");
        return classicLook(film);
    }
    if (film.category <= 17) {
        *suffix = QStringLiteral("jpg");
        return bonusLook(film, index);
    }
    *suffix = QStringLiteral("png");
    return puzzleLook(film);
}

} // namespace DemoArt
