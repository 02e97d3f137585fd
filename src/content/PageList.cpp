#include "content/PageList.h"
#include "content/ContentFiles.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/Ansi.h"
#include "content/SafeFile.h"

#include <QCoreApplication>
#include <QFile>

namespace {
constexpr int FieldCount = 5;
// A list of 157 lines of at most 100 bytes each; anything far beyond is not a page list.
constexpr qint64 MaxListSize = 1 << 20;
} // namespace

QString PageLine::picturePath() const
{
    return GameFolder::path(GameFolder::TempDir + line + QStringLiteral(".tmp"));
}

Result<QVector<PageLine>> readPageList()
{
    const QString name = GameFolder::TempDir + ContentFiles::PageList;
    QFile file;
    if (SafeFile::open(file, GameFolder::path(name), QIODevice::ReadOnly, false) != SafeFile::Status::Ok
        || file.size() > MaxListSize)
        return fail(QCoreApplication::translate(
                        "PageList", "La lista delle immagini %1 manca: la pagina non si può mostrare.")
                        .arg(name));

    QVector<PageLine> lines;
    const QList<QByteArray> rows = file.readAll().split('\n');
    for (int number = 1; number <= rows.size(); ++number) {
        QByteArray raw = rows[number - 1];
        while (raw.endsWith('\r'))
            raw.chop(1);
        // A list ends with CR LF; an empty last line is no picture.
        if (raw.isEmpty() && number == rows.size())
            break;
        const QStringList fields = Ansi::decode(raw).split(QLatin1Char(':'));
        if (fields.size() < FieldCount)
            return fail(QCoreApplication::translate("PageList",
                                                    "La riga %1 della lista delle immagini %2 è danneggiata: "
                                                    "ha %3 campi invece di %4.")
                            .arg(number)
                            .arg(name)
                            .arg(fields.size())
                            .arg(FieldCount));
        bool isNumber = false;
        PageLine line;
        line.category = fields[0];
        line.page = fields[1];
        line.line = fields[2];
        line.picture = fields[3].toInt(&isNumber);
        line.title = fields[4];
        if (!isNumber)
            return fail(QCoreApplication::translate("PageList",
                                                    "La riga %1 della lista delle immagini %2 è danneggiata: "
                                                    "\"%3\" non è un numero di immagine.")
                            .arg(number)
                            .arg(name, fields[3]));
        lines.append(line);
    }
    return lines;
}
