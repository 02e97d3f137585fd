#include "content/PackInstall.h"

#include "base/mdlConst.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "content/mdlGeneral.h"

#include <QFile>
#include <QSaveFile>

namespace PackInstall {

namespace {
bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

// The pack's expected size from index.lvx: its header and its pictures' lengths.
qint64 expectedPackSize(int cat, QString *error)
{
    const int base = GetItemBase(cat);
    const int count = mdlGeneral::GetCatCount(cat);
    QFile index(mdlConst::dataPath(ContentFiles::LengthsIndex));
    if (base < 0 || count < 0 || !index.open(QIODevice::ReadOnly)
        || !index.seek(qint64(base) * ContentFiles::LengthRecordSize)) {
        fail(error, ContentFiles::damagedMessage(ContentFiles::LengthsIndex, QStringLiteral("non si può leggere")));
        return -1;
    }
    const QByteArray records = index.read(qint64(count) * ContentFiles::LengthRecordSize);
    if (records.size() != qint64(count) * ContentFiles::LengthRecordSize) {
        fail(error, ContentFiles::damagedMessage(ContentFiles::LengthsIndex, QStringLiteral("è troppo corto")));
        return -1;
    }
    qint64 size = ContentFiles::PackHeaderSize;
    for (int i = 0; i < count; ++i)
        size += qint64(ContentFiles::lengthAt(records, i)) + 1;
    return size;
}

bool replace(const QString &relative, const QByteArray &bytes, QString *error)
{
    QSaveFile file(mdlConst::gamePath(relative));
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    return fail(error, QStringLiteral("Impossibile scrivere il file %1: controlla che la cartella Data si "
                                      "possa scrivere e che il disco non sia pieno.")
                           .arg(relative));
}
} // namespace

bool check(int cat, const QByteArray &pack, const QByteArray &titles, QString *error)
{
    if (!mdlGeneral::isCategory(cat))
        return fail(error, QStringLiteral("La categoria %1 non esiste.").arg(cat));
    const qint64 packSize = expectedPackSize(cat, error);
    if (packSize < 0)
        return false;
    const QString packName = ContentFiles::packFile(cat);
    if (pack.size() != packSize)
        return fail(error, QStringLiteral("Il file %1 scaricato non è completo: %2 byte invece di %3.")
                               .arg(packName)
                               .arg(pack.size())
                               .arg(packSize));
    const qint64 titlesSize = qint64(GetItemBase(mdlConst::CategoryCount + 1)) * ContentFiles::TitleRecordSize;
    if (titles.size() != titlesSize)
        return fail(error, QStringLiteral("Il file %1 scaricato non è completo: %2 byte invece di %3.")
                               .arg(ContentFiles::TitlesIndex)
                               .arg(titles.size())
                               .arg(titlesSize));
    return true;
}

bool install(int cat, const QByteArray &pack, const QByteArray &titles, QString *error)
{
    // The index first: a stop between the two leaves the old pack (or none) beside a complete
    // index, never a pack whose titles are missing.
    return check(cat, pack, titles, error) && replace(ContentFiles::TitlesIndex, titles, error)
           && replace(ContentFiles::packFile(cat), pack, error);
}

} // namespace PackInstall
