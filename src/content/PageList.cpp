#include "content/PageList.h"
#include "content/ContentFiles.h"

#include "content/Ansi.h"
#include "base/mdlConst.h"

#include <QFile>

namespace {
constexpr int FieldCount = 5;

bool fail(QString *error, const QString &message)
{
    if (error)
        *error = message;
    return false;
}
} // namespace

QString PageLine::picturePath() const
{
    return mdlConst::gamePath(mdlConst::TempDir + line + QStringLiteral(".tmp"));
}

bool ReadPageList(QVector<PageLine> *lines, QString *error)
{
    lines->clear();
    const QString name = mdlConst::TempDir + ContentFiles::PageList;
    QFile file(mdlConst::gamePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return fail(
            error,
            QStringLiteral("La lista delle immagini %1 manca: la pagina non si può mostrare.").arg(name));

    int number = 0;
    while (!file.atEnd()) {
        QByteArray raw = file.readLine();
        ++number;
        while (raw.endsWith('\n') || raw.endsWith('\r'))
            raw.chop(1);
        // A list ends with CR LF; an empty last line is no picture.
        if (raw.isEmpty() && file.atEnd())
            break;
        const QStringList fields = Ansi::decode(raw).split(QLatin1Char(':'));
        if (fields.size() < FieldCount)
            return fail(error, QStringLiteral("La riga %1 della lista delle immagini %2 è danneggiata: "
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
            return fail(error, QStringLiteral("La riga %1 della lista delle immagini %2 è danneggiata: "
                                              "\"%3\" non è un numero di immagine.")
                                   .arg(number)
                                   .arg(name, fields[3]));
        lines->append(line);
    }
    return true;
}
