#include "widgets/Artwork.h"

#include "base/Language.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QResource>
#include <QSvgRenderer>
#include <QWidget>

namespace Artwork {

namespace {
// The words drawn in the pictures, translated as the pictures are drawn; their other texts are
// names (Lumivo Pro, the game types, the categories).
const char *const DrawnWords[] = {
    QT_TRANSLATE_NOOP("Artwork", "indovina il film dalla scena"),
    QT_TRANSLATE_NOOP("Artwork", "Entra"),
    QT_TRANSLATE_NOOP("Artwork", "Esci"),
    QT_TRANSLATE_NOOP("Artwork", "Indietro"),
    QT_TRANSLATE_NOOP("Artwork", "Avanti"),
    QT_TRANSLATE_NOOP("Artwork", "i film per genere"),
    QT_TRANSLATE_NOOP("Artwork", "categorie a tema"),
    QT_TRANSLATE_NOOP("Artwork", "i titoli in ordine"),
    QT_TRANSLATE_NOOP("Artwork", "BLOCCATO"),
    QT_TRANSLATE_NOOP("Artwork", "Incontri al cinema"),
    QT_TRANSLATE_NOOP("Artwork", "il forum dei giocatori: aiuti, trucchi e novità"),
    QT_TRANSLATE_NOOP("Artwork", "Il tuo gioco, presto!"),
    QT_TRANSLATE_NOOP("Artwork", "hai completato tutto: un nuovo tipo di gioco è in arrivo"),
};

QByteArray translated(QByteArray svg)
{
    for (const char *word : DrawnWords) {
        const QByteArray text = QCoreApplication::translate("Artwork", word).toHtmlEscaped().toUtf8();
        svg.replace(QByteArray(">") + word + "</text>", ">" + text + "</text>");
    }
    return svg;
}
} // namespace

QPixmap pixmap(const QString &name, const QSize &size, const QWidget *shownOn)
{
    const qreal ratio = shownOn ? shownOn->devicePixelRatioF() : qGuiApp->devicePixelRatio();
    // Some pictures come drawn already, as plain pixels (assets/CMakeLists.txt): nothing to decode.
    // They are drawn with their Italian words.
    const bool italian = Language::current() == Language::Choice::Italian;
    if (ratio == 1.0 && italian) {
        const QByteArray drawn = QResource(QStringLiteral(":/assets/%1.argb").arg(name)).uncompressedData();
        if (drawn.size() == qsizetype(size.width()) * size.height() * 4) {
            const QImage pixels(reinterpret_cast<const uchar *>(drawn.constData()), size.width(),
                                size.height(), QImage::Format_ARGB32_Premultiplied);
            return QPixmap::fromImage(pixels.copy());
        }
    }
    // Every play screen shows the same arrows: each size is drawn once.
    const QString key = QStringLiteral("lumivo-art:%1:%2x%3@%4:%5")
                            .arg(name)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(ratio)
                            .arg(italian);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    const QByteArray svg = QResource(QStringLiteral(":/assets/%1.svg").arg(name)).uncompressedData();
    QSvgRenderer renderer(italian ? svg : translated(svg));
    if (!renderer.isValid())
        return QPixmap();
    picture = QPixmap(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    {
        QPainter painter(&picture);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QPixmapCache::insert(key, picture);
    return picture;
}

} // namespace Artwork
