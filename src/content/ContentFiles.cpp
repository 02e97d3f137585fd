#include "content/ContentFiles.h"

#include "content/SafeFile.h"
#include "content/mdlGeneral.h"
#include "base/mdlConst.h"

#include <QFile>
#include <QtEndian>

namespace ContentFiles {

namespace {
qint64 &counter()
{
    static qint64 bytes = 0;
    return bytes;
}

// One positioned read of exactly `length` bytes; false when the file ends before.
bool readAt(QFile &file, qint64 position, qint64 length, QByteArray *bytes)
{
    if (length == 0) {
        bytes->clear();
        return true;
    }
    if (position + length > file.size() || !file.seek(position))
        return false;
    *bytes = file.read(length);
    counter() += bytes->size();
    return bytes->size() == length;
}

QString fileName(const QString &prefix, int number)
{
    return mdlConst::DataDir + prefix + QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'))
           + ContentFiles::PackExtension;
}

QString thumbName(int state)
{
    return QLatin1Char(state == 0 ? 'A' : state == 1 ? 'B' : 'C') + QStringLiteral("000");
}

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

// Only a regular file is read: a pipe would block the game and a device never ends.
bool openData(QFile &file, const QString &relative, QString *error)
{
    switch (SafeFile::open(file, mdlConst::dataPath(relative), QIODevice::ReadOnly, true)) {
    case SafeFile::Status::Ok:
        return true;
    case SafeFile::Status::Missing:
        return fail(error, damagedMessage(relative, QStringLiteral("non si trova")));
    default:
        return fail(error, QStringLiteral("Impossibile leggere il file %1.").arg(relative));
    }
}
} // namespace

QString packFile(int category)
{
    return fileName(QString(), category);
}

QString thumbPackFile(int state)
{
    return mdlConst::DataDir + thumbName(state) + ContentFiles::PackExtension;
}

QString thumbIndexFile(int state)
{
    return mdlConst::DataDir + thumbName(state) + QStringLiteral(".lvx");
}

QString packPath(int category)
{
    return mdlConst::dataPath(packFile(category));
}

QString damagedMessage(const QString &file, const QString &reason)
{
    return QStringLiteral("Il file %1 manca o è danneggiato: %2.").arg(file, reason);
}

qint32 lengthAt(const QByteArray &records, int index)
{
    return qFromLittleEndian<qint32>(records.constData() + qint64(index) * LengthRecordSize);
}

QByteArray lengthRecord(qint32 lastByte)
{
    QByteArray record(LengthRecordSize, '\0');
    qToLittleEndian<qint32>(lastByte, record.data());
    return record;
}

bool titleFromRecord(const QByteArray &record, QByteArray *title)
{
    if (record.size() < 2)
        return false;
    const int length = qFromLittleEndian<quint16>(record.constData());
    if (length > MaxTitleLength || record.size() < 2 + length)
        return false;
    bool inRange = true;
    *title = mdlGeneral::shiftBytes(record.mid(2, length), 1, &inRange);
    return inRange;
}

QByteArray titleRecord(const QByteArray &title)
{
    QByteArray record(TitleRecordSize, '\0');
    const QByteArray stored = mdlGeneral::shiftBytes(title.left(MaxTitleLength), 0);
    qToLittleEndian<quint16>(quint16(stored.size()), record.data());
    record.replace(2, stored.size(), stored);
    record.resize(TitleRecordSize);
    return record;
}

bool readRun(const QString &packFile, const QString &indexFile, int packFirst, int first, int count,
             bool withTitles, Run *run, QString *error)
{
    run->pictures.clear();
    run->titles.clear();
    if (packFirst < 1 || first < packFirst || count < 0)
        return fail(error, damagedMessage(ContentFiles::CountsIndex,
                                          QStringLiteral("i numeri delle immagini non tornano")));

    // The lengths of the pictures before the run give its place in the pack.
    const int earlier = first - packFirst;
    QFile index;
    QByteArray lengths;
    if (!openData(index, indexFile, error))
        return false;
    if (!readAt(index, qint64(packFirst - 1) * LengthRecordSize, qint64(earlier + count) * LengthRecordSize,
                &lengths))
        return fail(
            error,
            damagedMessage(indexFile, QStringLiteral("finisce prima della voce %1").arg(first + count - 1)));
    index.close();

    qint64 offset = ContentFiles::PackHeaderSize;
    qint64 runBytes = 0;
    for (int i = 0; i < earlier + count; ++i) {
        const qint32 lastByte = lengthAt(lengths, i);
        if (lastByte < 0)
            return fail(
                error, damagedMessage(indexFile, QStringLiteral("la voce %1 ha una lunghezza non valida (%2)")
                                                     .arg(packFirst + i)
                                                     .arg(lastByte)));
        (i < earlier ? offset : runBytes) += qint64(lastByte) + 1;
    }

    if (withTitles) {
        QFile titles;
        QByteArray records;
        if (!openData(titles, ContentFiles::TitlesIndex, error))
            return false;
        if (!readAt(titles, qint64(first - 1) * TitleRecordSize, qint64(count) * TitleRecordSize, &records))
            return fail(
                error,
                damagedMessage(ContentFiles::TitlesIndex,
                               QStringLiteral("manca il titolo dell'immagine %1").arg(first + count - 1)));
        for (int i = 0; i < count; ++i) {
            QByteArray title;
            if (!titleFromRecord(records.mid(i * TitleRecordSize, TitleRecordSize), &title))
                return fail(error,
                            damagedMessage(
                                ContentFiles::TitlesIndex,
                                QStringLiteral("il titolo dell'immagine %1 non è leggibile").arg(first + i)));
            run->titles.append(title);
        }
    }

    QFile pack;
    QByteArray data;
    if (!openData(pack, packFile, error))
        return false;
    if (!readAt(pack, offset, runBytes, &data))
        return fail(
            error,
            damagedMessage(
                packFile,
                QStringLiteral("è più corto delle immagini che l'indice %1 gli assegna").arg(indexFile)));

    qint64 at = 0;
    for (int i = earlier; i < earlier + count; ++i) {
        const qint64 size = qint64(lengthAt(lengths, i)) + 1;
        run->pictures.append(data.mid(at, size));
        at += size;
    }
    return true;
}

qint64 bytesRead()
{
    return counter();
}

void resetBytesRead()
{
    counter() = 0;
}

} // namespace ContentFiles
