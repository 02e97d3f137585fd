#include "content/PackInstall.h"

#include "base/GameFolder.h"
#include "content/Ansi.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/PackCheck.h"
#include "content/SafeFile.h"

#include <QCoreApplication>
#include <QFile>

namespace PackInstall {

namespace {
Result<> replace(const QString &relative, const QByteArray &bytes)
{
    if (SafeFile::replace(GameFolder::path(relative), bytes))
        return {};
    return fail(QCoreApplication::translate(
                    "PackInstall", "Impossibile scrivere il file %1: controlla che la cartella Data si "
                                   "possa scrivere e che il disco non sia pieno.")
                    .arg(relative));
}

// "Il file Data/0007.lvd scaricato non è quello che descrivono gli indici: <reason>."
Failure mismatch(const QString &file, const QString &reason)
{
    return fail(QCoreApplication::translate(
                    "PackInstall", "Il file %1 scaricato non è quello che descrivono gli indici: %2.")
                    .arg(file, reason));
}

QString sizeReason(qint64 size, qint64 expected)
{
    return QCoreApplication::translate("PackInstall", "è lungo %1 byte invece di %2").arg(size).arg(expected);
}

bool stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load();
}
} // namespace

Result<Plan> plan(const CategoryTable &table, int category)
{
    if (!Game::isCategory(category))
        return fail(CategoryTable::noSuchCategory(category));
    const int base = table.itemBase(category);
    const int count = table.count(category);
    const int total = table.totalPictures();
    if (base < 0 || count < 0 || total < 0)
        return fail(ContentFiles::damagedMessage(ContentFiles::CountsIndex, ContentFiles::countsMismatch()));
    QFile index;
    if (Result<> opened = ContentFiles::openData(index, ContentFiles::LengthsIndex); !opened)
        return opened.failure();
    const qint64 wanted = qint64(count) * ContentFiles::LengthRecordSize;
    const QByteArray records
        = index.seek(qint64(base) * ContentFiles::LengthRecordSize) ? index.read(wanted) : QByteArray();
    if (records.size() != wanted)
        return fail(ContentFiles::damagedMessage(
            ContentFiles::LengthsIndex, QCoreApplication::translate("PackInstall", "è troppo corto")));
    Plan plan;
    plan.category = category;
    for (int i = 0; i < count; ++i)
        plan.lengths.append(ContentFiles::lengthAt(records, i));
    plan.packSize = PackCheck::packSize(plan.lengths);
    if (plan.packSize < 0)
        return fail(ContentFiles::damagedMessage(
            ContentFiles::LengthsIndex,
            QCoreApplication::translate("PackInstall", "una lunghezza della categoria %1 non è valida")
                .arg(CategoryTable::name(category))));
    plan.titlesSize = qint64(total) * ContentFiles::TitleRecordSize;
    return plan;
}

Result<> checkPackHead(const Plan &plan, const QByteArray &pack)
{
    const QString packFile = ContentFiles::packFile(plan.category);
    if (pack.size() != plan.packSize)
        return mismatch(packFile, sizeReason(pack.size(), plan.packSize));
    if (const QString problem = PackCheck::headerProblem(pack); !problem.isEmpty())
        return mismatch(packFile, problem);
    return {};
}

Result<> check(const Plan &plan, const QByteArray &pack, const QByteArray &titles,
               const std::atomic<bool> *stop)
{
    if (Result<> head = checkPackHead(plan, pack); !head)
        return head;
    if (titles.size() != plan.titlesSize)
        return mismatch(ContentFiles::TitlesIndex, sizeReason(titles.size(), plan.titlesSize));
    for (qint64 at = 0, n = 1; at < titles.size(); at += ContentFiles::TitleRecordSize, ++n) {
        const auto plain = ContentFiles::titleFromRecord(titles.mid(at, ContentFiles::TitleRecordSize));
        if (!plain)
            return mismatch(ContentFiles::TitlesIndex, ContentFiles::unreadableTitle(n));
        if (const QString problem = PackCheck::titleProblem(Ansi::decode(*plain)); !problem.isEmpty())
            return mismatch(
                ContentFiles::TitlesIndex,
                QCoreApplication::translate("PackInstall", "immagine %1, %2").arg(n).arg(problem));
    }
    qint64 at = ContentFiles::PackHeaderSize;
    for (int p = 0; p < plan.lengths.size(); ++p) {
        if (stopped(stop))
            return fail(QCoreApplication::translate("PackInstall",
                                                    "Il controllo dei file scaricati è stato interrotto."));
        const qint64 size = qint64(plan.lengths[p]) + 1;
        // The picture where it lies in the pack, not a copy.
        if (!PackCheck::isReadableImage(QByteArray::fromRawData(pack.constData() + at, size)))
            return mismatch(
                ContentFiles::packFile(plan.category),
                QCoreApplication::translate("PackInstall", "l'immagine %1 non si può leggere").arg(p + 1));
        at += size;
    }
    return {};
}

Result<> write(const Plan &plan, const QByteArray &pack, const QByteArray &titles)
{
    // The index first: a stop between the two leaves the old pack (or none) beside a complete
    // index, never a pack whose titles are missing.
    if (Result<> written = replace(ContentFiles::TitlesIndex, titles); !written)
        return written;
    return replace(ContentFiles::packFile(plan.category), pack);
}

} // namespace PackInstall
