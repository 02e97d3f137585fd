#include "content/PackCheck.h"

#include "content/Ansi.h"
#include "content/ContentFiles.h"

#include <QCoreApplication>
#include <QImage>

#include <algorithm>

namespace PackCheck {

namespace {
const QByteArray Signature = "LUMIVO PACK\r\n";

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

// A title as a message may quote it: a control character would act on the terminal or the box.
QString quoted(QString title)
{
    for (QChar &c : title) {
        if (isControl(c))
            c = QChar::ReplacementCharacter;
    }
    return QLatin1Char('"') + title + QLatin1Char('"');
}
} // namespace

QByteArray packHeader()
{
    QByteArray header(ContentFiles::PackHeaderSize, '\0');
    header.replace(0, Signature.size(), Signature);
    return header;
}

QString headerProblem(const QByteArray &pack)
{
    if (pack.size() < ContentFiles::PackHeaderSize)
        return QCoreApplication::translate(
                   "PackCheck", "è più corto dell'intestazione di un pacchetto (%1 byte invece di almeno %2)")
            .arg(pack.size())
            .arg(ContentFiles::PackHeaderSize);
    return QString();
}

qint64 packSize(const QVector<qint32> &lengths)
{
    qint64 size = ContentFiles::PackHeaderSize;
    for (const qint32 lastByte : lengths) {
        if (lastByte < 0)
            return -1;
        size += qint64(lastByte) + 1;
    }
    return size;
}

QString titleProblem(const QString &title)
{
    if (title.isEmpty())
        return QCoreApplication::translate("PackCheck", "il titolo è vuoto");
    if (title.contains(QLatin1Char(':')))
        return QCoreApplication::translate(
                   "PackCheck", "il titolo %1 contiene \":\", che separa i campi della lista delle immagini")
            .arg(quoted(title));
    if (std::any_of(title.begin(), title.end(), isControl))
        return QCoreApplication::translate("PackCheck", "il titolo %1 contiene un carattere di controllo")
            .arg(quoted(title));
    bool encoded = true;
    const QByteArray bytes = Ansi::encode(title, &encoded);
    if (!encoded) {
        QString missing;
        for (const QChar c : title) {
            bool ok = true;
            Ansi::encode(QString(c), &ok);
            if (!ok && !missing.contains(c))
                missing += c;
        }
        return QCoreApplication::translate(
                   "PackCheck", "il titolo %1 contiene caratteri che non esistono in Windows-1252: %2")
            .arg(quoted(title), missing);
    }
    if (bytes.contains('\xFF'))
        return QCoreApplication::translate(
                   "PackCheck", "il titolo %1 contiene \"ÿ\", che l'indice dei titoli non può cifrare")
            .arg(quoted(title));
    if (bytes.size() > ContentFiles::MaxTitleLength)
        return QCoreApplication::translate("PackCheck", "il titolo %1 è lungo %2 byte, al massimo %3")
            .arg(quoted(title))
            .arg(bytes.size())
            .arg(ContentFiles::MaxTitleLength);
    return QString();
}

bool isReadableImage(const QByteArray &data)
{
    QImage image;
    return image.loadFromData(data) && !image.isNull();
}

} // namespace PackCheck
