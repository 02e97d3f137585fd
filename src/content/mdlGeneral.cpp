#include "content/mdlGeneral.h"
#include "content/ContentFiles.h"

#include "content/Ansi.h"
#include "content/SafeFile.h"
#include "base/mdlConst.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace mdlGeneral {

std::array<QString, 21> CatName;
std::array<qint16, 21> CatCount;

namespace {
}

bool isCategory(int category)
{
    return category >= 1 && category <= mdlConst::CategoryCount;
}

bool LoadCounts(QString *error)
{
    CatCount.fill(0);
    const QString path = mdlConst::dataPath(ContentFiles::CountsIndex);
    const QString shown = QDir::toNativeSeparators(path);
    auto fail = [error](const QString &message) {
        if (error)
            *error = message;
        return false;
    };
    if (!QDir(mdlConst::dataPath(mdlConst::DataDir)).exists())
        return fail(QStringLiteral("Manca la cartella %1.")
                        .arg(QDir::toNativeSeparators(mdlConst::dataPath(mdlConst::DataDir))));
    QFile file;
    switch (SafeFile::open(file, path, QIODevice::ReadOnly, true)) {
    case SafeFile::Status::Ok:
        break;
    case SafeFile::Status::Missing:
        // Made empty when missing; on a read-only medium every count simply stays 0.
        SafeFile::create(path, QByteArray());
        return true;
    default:
        return fail(QStringLiteral("Impossibile leggere il file %1.").arg(shown));
    }
    const QByteArray bytes = file.read(ContentFiles::CountRecordSize * mdlConst::CategoryCount);
    for (int k = 1; k <= mdlConst::CategoryCount; ++k) {
        const int offset = ContentFiles::CountRecordSize * (k - 1);
        // A short file leaves the counts past its end at 0.
        if (offset + 2 <= bytes.size())
            CatCount[k] = qFromLittleEndian<qint16>(bytes.constData() + offset);
    }
    return true;
}

void LoadCatNames()
{
    CatName = {QString(),
               QStringLiteral("Animazione"),
               QStringLiteral("Azione"),
               QStringLiteral("Classici"),
               QStringLiteral("Commedia"),
               QStringLiteral("Demenziali"),
               QStringLiteral("Drammatico"),
               QStringLiteral("Fantascienza"),
               QStringLiteral("Fantastico"),
               QStringLiteral("Thriller e Horror"),
               QStringLiteral("Animali"),
               QStringLiteral("Bambini"),
               QStringLiteral("Barbie"),
               QStringLiteral("Decapitati"),
               QStringLiteral("Maschere"),
               QStringLiteral("Muppets"),
               QStringLiteral("Sacchetto"),
               QStringLiteral("Sbagliati"),
               QStringLiteral("Missing"),
               QStringLiteral("Rebus"),
               QStringLiteral("Vestiti")};
}

QString GetCatName(int category)
{
    return isCategory(category) ? CatName[category] : QString();
}

qint16 GetCatCount(int category)
{
    return isCategory(category) ? CatCount[category] : qint16(0);
}

QString GetVersion()
{
    return QStringLiteral("Versione %1.%2.%3")
        .arg(LUMIVO_VERSION_MAJOR)
        .arg(LUMIVO_VERSION_MINOR)
        .arg(LUMIVO_VERSION_PATCH);
}

bool SkipPackHeader(QIODevice &pack)
{
    if (pack.size() < ContentFiles::PackHeaderSize)
        return false;
    return pack.seek(ContentFiles::PackHeaderSize);
}

QByteArray shiftBytes(const QByteArray &bytes, int mode, bool *ok)
{
    const int step = mode == 0 ? 1 : -1;
    QByteArray shifted(bytes.size(), Qt::Uninitialized);
    bool inRange = true;
    for (int i = 0; i < bytes.size(); ++i) {
        const int code = static_cast<unsigned char>(bytes[i]) + step;
        if (code < 0 || code > 255)
            inRange = false;
        shifted[i] = static_cast<char>(code & 0xFF);
    }
    if (ok)
        *ok = inRange;
    return shifted;
}

QString ShiftChars(const QString &text, int mode, bool *ok)
{
    bool encoded = true;
    bool inRange = true;
    const QByteArray shifted = shiftBytes(Ansi::encode(text, &encoded), mode, &inRange);
    if (ok)
        *ok = encoded && inRange;
    return Ansi::decode(shifted);
}

} // namespace mdlGeneral
