#include "content/Extraction.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/SafeFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace ContentFiles;

namespace {

QByteArray padded(int number, int digits)
{
    return QByteArray::number(number).rightJustified(digits, '0');
}

// A failed page leaves no list and no pictures behind, not even an earlier page's, so no screen
// can take them for the page it asked for.
void removePageFiles()
{
    QDir temp(GameFolder::path(GameFolder::TempDir));
    const QStringList names = temp.entryList(
        {QStringLiteral("[0-9][0-9][0-9][0-9].tmp"), ContentFiles::PageList}, QDir::Files | QDir::Hidden);
    for (const QString &name : names)
        temp.remove(name);
}

} // namespace

QString tempPath(const QString &name)
{
    return GameFolder::path(GameFolder::TempDir + name);
}

QString tempPictureName(int k)
{
    return QStringLiteral("%1.tmp").arg(k, 4, 10, QLatin1Char('0'));
}

Result<> writeTempFile(const QString &name, const QByteArray &bytes)
{
    if (SafeFile::replace(tempPath(name), bytes))
        return {};
    return fail(QCoreApplication::translate("Extraction",
                                            "Impossibile scrivere il file Temp/%1: controlla che la "
                                            "cartella Temp esista e che il disco non sia pieno.")
                    .arg(name));
}

qint16 findOpenPage(const QVector<qint16> &flags)
{
    for (int page = 1; page * PageSize <= flags.size(); ++page) {
        for (int i = (page - 1) * PageSize; i < page * PageSize; ++i) {
            if (flags[i] != 1)
                return qint16(page);
        }
    }
    return 1;
}

Result<> extractPage(const CategoryTable &table, int category, int page)
{
    const auto refuse = [](const QString &problem) {
        removePageFiles();
        return fail(problem);
    };
    if (!Game::isCategory(category))
        return refuse(CategoryTable::noSuchCategory(category));
    const int base = table.itemBase(category);
    const int catCount = table.count(category);
    if (base < 0 || catCount < 0)
        return refuse(damagedMessage(ContentFiles::CountsIndex, ContentFiles::countsMismatch()));

    const int skip = page == 0 ? 0 : PageSize * (page - 1);
    // A short last page gives the pictures it has rather than running into the next category.
    const int count = page == 0 ? catCount : qMin(PageSize, catCount - skip);
    if (page < 0 || (page != 0 && count <= 0))
        return refuse(QCoreApplication::translate("Extraction", "La pagina %1 della categoria %2 non esiste.")
                          .arg(page)
                          .arg(CategoryTable::name(category)));

    const Result<Run> run
        = readRun(packFile(category), ContentFiles::LengthsIndex, base + 1, base + skip + 1, count, true);
    if (!run) {
        removePageFiles();
        return run.failure();
    }

    QByteArray list;
    const QByteArray prefix = padded(category, 2) + ':' + padded(page, 2) + ':';
    for (int k = 1; k <= count; ++k)
        list += prefix + padded(k, 4) + ':' + padded(base + skip + k, 3) + ':' + run->titles[k - 1] + "\r\n";

    // The pictures first and the list last: a list on disk always has all its pictures.
    for (int k = 1; k <= count; ++k) {
        if (Result<> written = writeTempFile(tempPictureName(k), run->pictures[k - 1]); !written) {
            removePageFiles();
            return written;
        }
    }
    if (Result<> written = writeTempFile(ContentFiles::PageList, list); !written) {
        removePageFiles();
        return written;
    }
    return {};
}

Result<QString> extractThumb(int category, Game::CategoryState state)
{
    const QString path = tempPath(ContentFiles::ThumbFile);
    // An earlier thumbnail must not pass for the one that failed.
    QFile::remove(path);
    if (!Game::isCategory(category))
        return fail(CategoryTable::noSuchCategory(category));
    const int look = int(state);
    const Result<Run> run = readRun(thumbPackFile(look), thumbIndexFile(look), 1, category, 1, false);
    if (!run)
        return run.failure();
    if (Result<> written = writeTempFile(ContentFiles::ThumbFile, run->pictures.first()); !written)
        return written.failure();
    return path;
}

void removeTempPictures()
{
    QDir temp(GameFolder::path(GameFolder::TempDir));
    for (const QString &name : temp.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden))
        temp.remove(name);
}
