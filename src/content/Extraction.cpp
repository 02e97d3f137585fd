#include "content/Extraction.h"

#include "base/mdlConst.h"
#include "content/ContentFiles.h"
#include "content/SafeFile.h"
#include "content/mdlGeneral.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace ContentFiles;

namespace {

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}

QByteArray padded(int number, int digits)
{
    return QByteArray::number(number).rightJustified(digits, '0');
}

// A failed page leaves no list and no pictures behind, not even an earlier page's, so no screen
// can take them for the page it asked for.
void removePageFiles()
{
    QDir temp(mdlConst::gamePath(mdlConst::TempDir));
    const QStringList names = temp.entryList(
        {QStringLiteral("[0-9][0-9][0-9][0-9].tmp"), ContentFiles::PageList}, QDir::Files | QDir::Hidden);
    for (const QString &name : names)
        temp.remove(name);
}

} // namespace

QString TempPath(const QString &name)
{
    return mdlConst::gamePath(mdlConst::TempDir + name);
}

QString TempPictureName(int k)
{
    return QStringLiteral("%1.tmp").arg(k, 4, 10, QLatin1Char('0'));
}

bool WriteTempFile(const QString &name, const QByteArray &bytes, QString *error)
{
    if (SafeFile::replace(TempPath(name), bytes))
        return true;
    return fail(error, QStringLiteral("Impossibile scrivere il file Temp/%1: controlla che la cartella Temp "
                                      "esista e che il disco non sia pieno.")
                           .arg(name));
}

qint16 GetItemBase(int cat)
{
    int base = 0;
    for (int c = 1; c < cat && c <= mdlConst::CategoryCount; ++c) {
        const int count = mdlGeneral::GetCatCount(c);
        if (count < 0)
            return -1;
        base += count;
    }
    return base > MaxPictures ? qint16(-1) : qint16(base);
}

qint16 FindOpenPage(const QVector<qint16> &flags)
{
    for (int page = 1; page * PageSize <= flags.size(); ++page) {
        for (int i = (page - 1) * PageSize; i < page * PageSize; ++i) {
            if (flags[i] != 1)
                return qint16(page);
        }
    }
    return 1;
}

bool ExtractPage(int cat, int page, int base, QString *error)
{
    if (!mdlGeneral::isCategory(cat))
        return fail(error, QStringLiteral("La categoria %1 non esiste.").arg(cat));
    const int catCount = mdlGeneral::GetCatCount(cat);
    if (base < 0 || catCount < 0)
        return fail(error, damagedMessage(ContentFiles::CountsIndex,
                                          QStringLiteral("i numeri delle immagini non tornano")));

    const int skip = page == 0 ? 0 : PageSize * (page - 1);
    // A short last page gives the pictures it has rather than running into the next category.
    const int count = page == 0 ? catCount : qMin(PageSize, catCount - skip);
    if (page < 0 || (page != 0 && count <= 0))
        return fail(error, QStringLiteral("La pagina %1 della categoria %2 non esiste.")
                               .arg(page)
                               .arg(mdlGeneral::GetCatName(cat)));

    ContentFiles::Run run;
    QString problem;
    if (!readRun(packFile(cat), ContentFiles::LengthsIndex, base + 1, base + skip + 1, count, true, &run,
                 &problem)) {
        removePageFiles();
        return fail(error, problem);
    }

    QByteArray list;
    const QByteArray prefix = padded(cat, 2) + ':' + padded(page, 2) + ':';
    for (int k = 1; k <= count; ++k)
        list += prefix + padded(k, 4) + ':' + padded(base + skip + k, 3) + ':' + run.titles[k - 1] + "\r\n";

    // The pictures first and the list last: a list on disk always has all its pictures.
    for (int k = 1; k <= count; ++k) {
        if (!WriteTempFile(TempPictureName(k), run.pictures[k - 1], error)) {
            removePageFiles();
            return false;
        }
    }
    if (!WriteTempFile(ContentFiles::PageList, list, error)) {
        removePageFiles();
        return false;
    }
    return true;
}

QString ExtractThumb(int cat, mdlConst::CategoryState state, QString *error)
{
    const QString path = TempPath(ContentFiles::ThumbFile);
    ContentFiles::Run run;
    bool done = false;
    if (!mdlGeneral::isCategory(cat)) {
        fail(error, QStringLiteral("La categoria %1 non esiste.").arg(cat));
    } else {
        done = readRun(thumbPackFile(int(state)), thumbIndexFile(int(state)), 1, cat, 1, false, &run, error);
        done = done && WriteTempFile(ContentFiles::ThumbFile, run.pictures.first(), error);
    }
    // An earlier thumbnail must not pass for the one that failed.
    if (!done)
        QFile::remove(path);
    return done ? path : QString();
}

void RemoveTempPictures()
{
    QDir temp(mdlConst::gamePath(mdlConst::TempDir));
    for (const QString &name : temp.entryList({QStringLiteral("*.tmp")}, QDir::Files | QDir::Hidden))
        temp.remove(name);
}
