#include "content/PackInstall.h"

#include "base/GameFolder.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"

#include <QFile>
#include <QSaveFile>

namespace PackInstall {

namespace {
// The pack's expected size from index.lvx: its header and its pictures' lengths.
Result<qint64> expectedPackSize(const CategoryTable &table, int category)
{
    const int base = table.itemBase(category);
    const int count = table.count(category);
    QFile index;
    if (base < 0 || count < 0 || !ContentFiles::openData(index, ContentFiles::LengthsIndex)
        || !index.seek(qint64(base) * ContentFiles::LengthRecordSize))
        return fail(
            ContentFiles::damagedMessage(ContentFiles::LengthsIndex, QStringLiteral("non si può leggere")));
    const QByteArray records = index.read(qint64(count) * ContentFiles::LengthRecordSize);
    if (records.size() != qint64(count) * ContentFiles::LengthRecordSize)
        return fail(
            ContentFiles::damagedMessage(ContentFiles::LengthsIndex, QStringLiteral("è troppo corto")));
    qint64 size = ContentFiles::PackHeaderSize;
    for (int i = 0; i < count; ++i)
        size += qint64(ContentFiles::lengthAt(records, i)) + 1;
    return size;
}

Result<> replace(const QString &relative, const QByteArray &bytes)
{
    QSaveFile file(GameFolder::path(relative));
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return {};
    return fail(QStringLiteral("Impossibile scrivere il file %1: controlla che la cartella Data si "
                               "possa scrivere e che il disco non sia pieno.")
                    .arg(relative));
}

Failure incomplete(const QString &name, qint64 size, qint64 expected)
{
    return fail(QStringLiteral("Il file %1 scaricato non è completo: %2 byte invece di %3.")
                    .arg(name)
                    .arg(size)
                    .arg(expected));
}
} // namespace

Result<> check(const CategoryTable &table, int category, const QByteArray &pack, const QByteArray &titles)
{
    if (!Game::isCategory(category))
        return fail(QStringLiteral("La categoria %1 non esiste.").arg(category));
    const Result<qint64> packSize = expectedPackSize(table, category);
    if (!packSize)
        return packSize.failure();
    if (pack.size() != *packSize)
        return incomplete(ContentFiles::packFile(category), pack.size(), *packSize);
    const qint64 titlesSize = qint64(table.totalPictures()) * ContentFiles::TitleRecordSize;
    if (titles.size() != titlesSize)
        return incomplete(ContentFiles::TitlesIndex, titles.size(), titlesSize);
    return {};
}

Result<> install(const CategoryTable &table, int category, const QByteArray &pack, const QByteArray &titles)
{
    if (Result<> checked = check(table, category, pack, titles); !checked)
        return checked;
    // The index first: a stop between the two leaves the old pack (or none) beside a complete
    // index, never a pack whose titles are missing.
    if (Result<> written = replace(ContentFiles::TitlesIndex, titles); !written)
        return written;
    return replace(ContentFiles::packFile(category), pack);
}

} // namespace PackInstall
