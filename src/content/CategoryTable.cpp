#include "content/CategoryTable.h"

#include "base/GameFolder.h"
#include "content/ContentFiles.h"
#include "content/SafeFile.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

QString CategoryTable::name(int category)
{
    static const std::array<QString, Game::CategoryCount + 1> names = {
        QString(),
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
        QStringLiteral("Vestiti"),
    };
    return Game::isCategory(category) ? names[size_t(category)] : QString();
}

QString CategoryTable::noSuchCategory(int category)
{
    return tr("La categoria %1 non esiste.").arg(category);
}

Result<> CategoryTable::load()
{
    m_counts.fill(0);
    const QString dataFolder = GameFolder::dataPath(GameFolder::DataDir);
    if (!QDir(dataFolder).exists())
        return fail(tr("Manca la cartella %1.").arg(QDir::toNativeSeparators(dataFolder)));
    const QString path = GameFolder::dataPath(ContentFiles::CountsIndex);
    QFile file;
    switch (SafeFile::open(file, path, QIODevice::ReadOnly, true)) {
    case SafeFile::Status::Ok:
        break;
    case SafeFile::Status::Missing:
        // Made empty when missing; on a read-only medium every count simply stays 0.
        SafeFile::create(path, QByteArray());
        return {};
    default:
        return fail(tr("Impossibile leggere il file %1.").arg(QDir::toNativeSeparators(path)));
    }
    const QByteArray bytes = file.read(ContentFiles::CountRecordSize * Game::CategoryCount);
    for (int k = 1; k <= Game::CategoryCount; ++k) {
        const int offset = ContentFiles::CountRecordSize * (k - 1);
        // A short file leaves the counts past its end at 0.
        if (offset + 2 <= bytes.size())
            m_counts[size_t(k)] = qFromLittleEndian<qint16>(bytes.constData() + offset);
    }
    return {};
}

qint16 CategoryTable::count(int category) const
{
    return Game::isCategory(category) ? m_counts[size_t(category)] : qint16(0);
}

qint16 CategoryTable::itemBase(int category) const
{
    int base = 0;
    for (int c = 1; c < category && c <= Game::CategoryCount; ++c) {
        if (count(c) < 0)
            return -1;
        base += count(c);
    }
    return base > ContentFiles::MaxPictures ? qint16(-1) : qint16(base);
}

int CategoryTable::genreCategoryOf(int picture) const
{
    if (picture < 1)
        return 0;
    for (int c = 1; c <= ContentFiles::LastGenreCategory; ++c) {
        if (picture <= count(c))
            return c;
        picture -= count(c);
    }
    return 0;
}
