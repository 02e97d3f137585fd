#include "content/ContentFiles.h"

#include "base/GameFolder.h"
#include "content/Ansi.h"
#include "content/SafeFile.h"

#include <QCoreApplication>
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
    return GameFolder::DataDir + prefix + QStringLiteral("%1").arg(number, 4, 10, QLatin1Char('0'))
           + ContentFiles::PackExtension;
}

QString thumbName(int state)
{
    return QLatin1Char(state == 0 ? 'A' : state == 1 ? 'B' : 'C') + QStringLiteral("000");
}

} // namespace

Result<> openData(QFile &file, const QString &relative)
{
    // Only a regular file is read: a pipe would block the game and a device never ends.
    switch (SafeFile::open(file, GameFolder::dataPath(relative), QIODevice::ReadOnly, true)) {
    case SafeFile::Status::Ok:
        return {};
    case SafeFile::Status::Missing:
        return fail(damagedMessage(relative, QCoreApplication::translate("ContentFiles", "non si trova")));
    default:
        return fail(
            QCoreApplication::translate("ContentFiles", "Impossibile leggere il file %1.").arg(relative));
    }
}

QString packFile(int category)
{
    return fileName(QString(), category);
}

QString thumbPackFile(int state)
{
    return GameFolder::DataDir + thumbName(state) + ContentFiles::PackExtension;
}

QString thumbIndexFile(int state)
{
    return GameFolder::DataDir + thumbName(state) + QStringLiteral(".lvx");
}

QString packPath(int category)
{
    return GameFolder::dataPath(packFile(category));
}

QString damagedMessage(const QString &file, const QString &reason)
{
    return QCoreApplication::translate("ContentFiles", "Il file %1 manca o è danneggiato: %2.")
        .arg(file, reason);
}

QString countsMismatch()
{
    return QCoreApplication::translate("ContentFiles", "i numeri delle immagini non tornano");
}

QString unreadableTitle(int picture)
{
    return QCoreApplication::translate("ContentFiles", "il titolo dell'immagine %1 non è leggibile")
        .arg(picture);
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

std::optional<QByteArray> titleFromRecord(const QByteArray &record)
{
    if (record.size() < 2)
        return std::nullopt;
    const int length = qFromLittleEndian<quint16>(record.constData());
    if (length > MaxTitleLength || record.size() < 2 + length)
        return std::nullopt;
    return Ansi::shiftedDown(record.mid(2, length));
}

QByteArray titleRecord(const QByteArray &title)
{
    QByteArray record(TitleRecordSize, '\0');
    // A byte 255 has no stored form: it is kept as 0, which reads back as damage.
    const QByteArray stored = Ansi::shiftedUp(title.left(MaxTitleLength))
                                  .value_or(QByteArray(title.left(MaxTitleLength).size(), '\0'));
    qToLittleEndian<quint16>(quint16(stored.size()), record.data());
    record.replace(2, stored.size(), stored);
    record.resize(TitleRecordSize);
    return record;
}

Result<Run> readRun(const QString &packFile, const QString &indexFile, int packFirst, int first, int count,
                    bool withTitles)
{
    if (packFirst < 1 || first < packFirst || count < 0)
        return fail(damagedMessage(ContentFiles::CountsIndex, countsMismatch()));

    // The lengths of the pictures before the run give its place in the pack.
    const int earlier = first - packFirst;
    QFile index;
    QByteArray lengths;
    if (Result<> opened = openData(index, indexFile); !opened)
        return opened.failure();
    if (!readAt(index, qint64(packFirst - 1) * LengthRecordSize, qint64(earlier + count) * LengthRecordSize,
                &lengths))
        return fail(damagedMessage(indexFile,
                                   QCoreApplication::translate("ContentFiles", "finisce prima della voce %1")
                                       .arg(first + count - 1)));
    index.close();

    qint64 offset = ContentFiles::PackHeaderSize;
    qint64 runBytes = 0;
    for (int i = 0; i < earlier + count; ++i) {
        const qint32 lastByte = lengthAt(lengths, i);
        if (lastByte < 0)
            return fail(damagedMessage(
                indexFile,
                QCoreApplication::translate("ContentFiles", "la voce %1 ha una lunghezza non valida (%2)")
                    .arg(packFirst + i)
                    .arg(lastByte)));
        (i < earlier ? offset : runBytes) += qint64(lastByte) + 1;
    }

    Run run;
    if (withTitles) {
        QFile titles;
        QByteArray records;
        if (Result<> opened = openData(titles, ContentFiles::TitlesIndex); !opened)
            return opened.failure();
        if (!readAt(titles, qint64(first - 1) * TitleRecordSize, qint64(count) * TitleRecordSize, &records))
            return fail(
                damagedMessage(ContentFiles::TitlesIndex,
                               QCoreApplication::translate("ContentFiles", "manca il titolo dell'immagine %1")
                                   .arg(first + count - 1)));
        for (int i = 0; i < count; ++i) {
            const auto title = titleFromRecord(records.mid(i * TitleRecordSize, TitleRecordSize));
            if (!title)
                return fail(damagedMessage(ContentFiles::TitlesIndex, unreadableTitle(first + i)));
            run.titles.append(*title);
        }
    }

    QFile pack;
    QByteArray data;
    if (Result<> opened = openData(pack, packFile); !opened)
        return opened.failure();
    if (!readAt(pack, offset, runBytes, &data))
        return fail(damagedMessage(
            packFile, QCoreApplication::translate("ContentFiles",
                                                  "è più corto delle immagini che l'indice %1 gli assegna")
                          .arg(indexFile)));

    qint64 at = 0;
    for (int i = earlier; i < earlier + count; ++i) {
        const qint64 size = qint64(lengthAt(lengths, i)) + 1;
        run.pictures.append(data.mid(at, size));
        at += size;
    }
    return run;
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
