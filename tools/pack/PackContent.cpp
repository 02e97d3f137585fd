#include "pack/PackContent.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/Ansi.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/PackCheck.h"
#include "content/SafeFile.h"
#include "pack/Interrupt.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>

using namespace ContentFiles;

namespace PackContent {

namespace {
QString fileIn(const QString &folder, const QString &dataRelative)
{
    // The game names files "Data/…"; here the Data folder is wherever the caller says.
    return folder + QLatin1Char('/') + QString(dataRelative).remove(0, GameFolder::DataDir.size());
}

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    if (Interrupt::requested()) {
        *error = QStringLiteral("interrotto");
        return false;
    }
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size()) {
        file.close();
        if (file.error() == QFileDevice::NoError)
            return true;
    }
    *error = QStringLiteral("Impossibile scrivere %1: %2")
                 .arg(QDir::toNativeSeparators(path), file.errorString());
    return false;
}

QByteArray packOf(const QVector<QByteArray> &items)
{
    QByteArray bytes = PackCheck::packHeader();
    for (const QByteArray &item : items)
        bytes += item;
    return bytes;
}

QByteArray lengthsOf(const QVector<QByteArray> &items)
{
    QByteArray bytes;
    for (const QByteArray &item : items)
        bytes += lengthRecord(qint32(item.size() - 1));
    return bytes;
}
} // namespace

QString countProblem(int category, int count)
{
    if (isGenre(category) && count % PageSize != 0)
        return QStringLiteral("%1 ha %2 immagini: una categoria Classic ne vuole un multiplo di 9")
            .arg(categoryLabel(category))
            .arg(count);
    if (!isGenre(category) && count > MaxThemedCount)
        return QStringLiteral("%1 ha %2 immagini: al massimo %3")
            .arg(categoryLabel(category))
            .arg(count)
            .arg(MaxThemedCount);
    return QString();
}

QString totalProblem(int total)
{
    if (total > MaxPictures)
        return QStringLiteral("ci sono %1 immagini in tutto: al massimo %2").arg(total).arg(MaxPictures);
    return QString();
}

QString categoryLabel(int category)
{
    return QStringLiteral("categoria %1 %2")
        .arg(category, 2, 10, QLatin1Char('0'))
        .arg(CategoryTable::name(category));
}

bool isContentFileName(const QString &name)
{
    static const QRegularExpression contentName(
        QStringLiteral("^(index\\.lv[sxt]|index\\.sha256|\\d{4}\\.lvd|[ABC]000\\.lv[dx])$"));
    return contentName.match(name).hasMatch();
}

bool writeData(const Content &content, const QString &folder, QString *error)
{
    QMap<QString, QByteArray> sums; // file name -> SHA-256, sorted by name as sha256sum -c lists them
    const auto write = [&](const QString &dataRelative, const QByteArray &bytes) {
        sums.insert(QFileInfo(dataRelative).fileName(),
                    QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
        return writeFile(fileIn(folder, dataRelative), bytes, error);
    };
    QByteArray counts, lengths, titles;
    for (int c = 1; c <= Game::CategoryCount; ++c) {
        QByteArray record(CountRecordSize, '\0');
        qToLittleEndian<qint16>(qint16(content.categories[c].size()), record.data());
        counts += record;
        QVector<QByteArray> items;
        for (const Picture &picture : content.categories[c]) {
            items.append(picture.data);
            titles += titleRecord(Ansi::encode(picture.title));
        }
        lengths += lengthsOf(items);
        if (!write(packFile(c), packOf(items)))
            return false;
    }
    for (int state = 0; state < ThumbStates; ++state) {
        const QVector<QByteArray> items(content.thumbs[state].begin() + 1, content.thumbs[state].end());
        if (!write(thumbPackFile(state), packOf(items)) || !write(thumbIndexFile(state), lengthsOf(items)))
            return false;
    }
    if (!write(ContentFiles::CountsIndex, counts) || !write(ContentFiles::LengthsIndex, lengths)
        || !write(ContentFiles::TitlesIndex, titles))
        return false;
    QByteArray manifest;
    for (auto sum = sums.cbegin(); sum != sums.cend(); ++sum)
        manifest += sum.value() + "  " + sum.key().toUtf8() + '\n';
    return writeFile(fileIn(folder, ManifestFile), manifest, error);
}

QString imageSuffix(const QByteArray &data)
{
    if (data.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral("jpg");
    if (data.startsWith("\x89PNG"))
        return QStringLiteral("png");
    if (data.startsWith("GIF8"))
        return QStringLiteral("gif");
    if (data.startsWith("BM"))
        return QStringLiteral("bmp");
    if (data.startsWith("RIFF") && data.mid(8, 4) == "WEBP")
        return QStringLiteral("webp");
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    const QByteArray format = QImageReader::imageFormat(&buffer);
    return format.isEmpty() ? QStringLiteral("bin") : QString::fromLatin1(format).toLower();
}

QString Problem::toString() const
{
    QString where;
    if (category > 0)
        where = categoryLabel(category)
                + (picture > 0 ? QStringLiteral(", immagine %1").arg(picture) : QString())
                + QStringLiteral(": ");
    return (level == Error ? QStringLiteral("ERRORE: ") : QStringLiteral("AVVISO: ")) + where + text;
}

DataFolder::DataFolder(const QString &path)
    : m_path(QDir(path).absolutePath())
    , m_given(path)
{ }

QString DataFolder::shown(const QString &name) const
{
    return QDir::toNativeSeparators(fileIn(m_given, name));
}

void DataFolder::note(Problem::Level level, int category, int picture, const QString &text)
{
    problems.append({level, category, picture, text});
}

QByteArray DataFolder::readFile(const QString &name, qint64 limit, FileState *state, qint64 *size)
{
    QFile file;
    switch (SafeFile::open(file, fileIn(m_path, name), QIODevice::ReadOnly, true)) {
    case SafeFile::Status::Ok:
        *state = FileState::Read;
        break;
    case SafeFile::Status::Missing:
        *state = FileState::Missing;
        note(Problem::Error, 0, 0, QStringLiteral("manca %1").arg(shown(name)));
        return QByteArray();
    default:
        *state = FileState::Unreadable;
        note(Problem::Error, 0, 0, QStringLiteral("%1 non si può leggere").arg(shown(name)));
        return QByteArray();
    }
    if (size)
        *size = file.size();
    // Never more than the layout allows: a longer file is damaged, and its excess is not needed.
    return file.read(limit);
}

int DataFolder::base(int category) const
{
    int sum = 0;
    for (int c = 1; c < category && c <= Game::CategoryCount; ++c)
        sum += m_counts[c];
    return sum;
}

QString DataFolder::title(int category, int position) const
{
    return m_titles.value(base(category) + position - 1);
}

bool DataFolder::hasPack(int category) const
{
    return QFile::exists(fileIn(m_path, packFile(category)));
}

bool DataFolder::loadIndexes()
{
    FileState state = FileState::Missing;
    qint64 size = 0;
    const QByteArray counts
        = readFile(ContentFiles::CountsIndex, CountRecordSize * Game::CategoryCount, &state, &size);
    if (state != FileState::Read)
        return false;
    if (size != CountRecordSize * Game::CategoryCount)
        note(Problem::Error, 0, 0,
             QStringLiteral("%1 è lungo %2 byte invece di %3")
                 .arg(shown(ContentFiles::CountsIndex))
                 .arg(size)
                 .arg(CountRecordSize * Game::CategoryCount));
    for (int c = 1; c <= Game::CategoryCount; ++c) {
        const int offset = CountRecordSize * (c - 1);
        m_counts[c]
            = offset + 2 <= counts.size() ? qFromLittleEndian<qint16>(counts.constData() + offset) : 0;
        if (m_counts[c] < 0) {
            note(Problem::Error, c, 0,
                 QStringLiteral("%1 dà un numero di immagini negativo (%2)")
                     .arg(shown(ContentFiles::CountsIndex))
                     .arg(m_counts[c]));
            m_counts[c] = 0;
        }
    }
    const int all = total();

    const QByteArray lengths
        = readFile(ContentFiles::LengthsIndex, qint64(all) * LengthRecordSize, &state, &size);
    if (state != FileState::Read)
        return false;
    // An index must hold one record for every picture index.lvs counts.
    const auto checkSize = [&](const QString &index, qint64 size, int recordSize) {
        if (size != qint64(all) * recordSize)
            note(Problem::Error, 0, 0,
                 QStringLiteral("%1 è lungo %2 byte: per le %3 immagini di %4 ne servono %5")
                     .arg(shown(index))
                     .arg(size)
                     .arg(all)
                     .arg(shown(ContentFiles::CountsIndex))
                     .arg(qint64(all) * recordSize));
    };
    checkSize(ContentFiles::LengthsIndex, size, LengthRecordSize);
    m_lengths.fill(-1, all);
    for (int n = 0; n < all && (n + 1) * LengthRecordSize <= lengths.size(); ++n)
        m_lengths[n] = lengthAt(lengths, n);

    const QByteArray titles
        = readFile(ContentFiles::TitlesIndex, qint64(all) * TitleRecordSize, &state, &size);
    const bool present = state == FileState::Read;
    if (present)
        checkSize(ContentFiles::TitlesIndex, size, TitleRecordSize);
    m_titles.fill(QString(), all);
    m_titleRead.fill(false, all);
    for (int c = 1; c <= Game::CategoryCount; ++c) {
        for (int p = 1; p <= m_counts[c]; ++p) {
            const int n = base(c) + p - 1;
            if (m_lengths[n] < -1 || (m_lengths[n] == -1 && (n + 1) * LengthRecordSize <= lengths.size()))
                note(Problem::Error, c, p,
                     QStringLiteral("lunghezza non valida in %1 (%2)")
                         .arg(shown(ContentFiles::LengthsIndex))
                         .arg(m_lengths[n]));
            if (!present || (n + 1) * TitleRecordSize > titles.size())
                continue;
            const auto plain = titleFromRecord(titles.mid(n * TitleRecordSize, TitleRecordSize));
            m_titleRead[n] = plain.has_value();
            if (plain)
                m_titles[n] = Ansi::decode(*plain);
            else
                note(Problem::Error, c, p,
                     QStringLiteral("il titolo in %1 non è leggibile (lunghezza oltre %2 o byte 0)")
                         .arg(shown(ContentFiles::TitlesIndex))
                         .arg(MaxTitleLength));
        }
    }
    return true;
}

bool DataFolder::splitPack(const QString &name, const QVector<qint32> &lengths, int category, bool thumbs,
                           QVector<QByteArray> *items)
{
    items->clear();
    const qint64 expected = PackCheck::packSize(lengths);
    if (expected < 0) {
        note(Problem::Error, category, 0,
             QStringLiteral("%1 non si può controllare: il suo indice è incompleto o danneggiato")
                 .arg(shown(name)));
        return false;
    }
    FileState state = FileState::Missing;
    qint64 size = 0;
    const QByteArray pack = readFile(name, expected, &state, &size);
    if (state != FileState::Read)
        return false;
    if (size != expected)
        note(Problem::Error, category, 0,
             QStringLiteral("%1 è lungo %2 byte, ma intestazione e %3 ne fanno %4")
                 .arg(shown(name))
                 .arg(size)
                 .arg(thumbs ? QStringLiteral("miniature") : QStringLiteral("immagini"))
                 .arg(expected));
    // A file too short for a header was reported above by its size.
    if (const QString problem = PackCheck::headerProblem(pack);
        !problem.isEmpty() && pack.size() >= ContentFiles::PackHeaderSize)
        note(Problem::Error, category, 0, QStringLiteral("%1 %2").arg(shown(name), problem));
    if (pack.size() < expected)
        return false;
    qint64 at = ContentFiles::PackHeaderSize;
    for (qint32 v : lengths) {
        items->append(pack.mid(at, qint64(v) + 1));
        at += qint64(v) + 1;
    }
    return true;
}

bool DataFolder::readPack(int category, QVector<QByteArray> *pictures)
{
    pictures->clear();
    if (!hasPack(category)) {
        note(Problem::Warning, category, 0,
             QStringLiteral("manca il pacchetto %1 (si potrà scaricare)").arg(shown(packFile(category))));
        return false;
    }
    return splitPack(packFile(category), m_lengths.mid(base(category), m_counts[category]), category, false,
                     pictures);
}

bool DataFolder::readThumbs(int state, QVector<QByteArray> *thumbs)
{
    thumbs->clear();
    FileState read = FileState::Missing;
    qint64 size = 0;
    const QByteArray index
        = readFile(thumbIndexFile(state), LengthRecordSize * Game::CategoryCount, &read, &size);
    if (read != FileState::Read)
        return false;
    if (size != LengthRecordSize * Game::CategoryCount) {
        note(Problem::Error, 0, 0,
             QStringLiteral("%1 è lungo %2 byte invece di %3")
                 .arg(shown(thumbIndexFile(state)))
                 .arg(size)
                 .arg(LengthRecordSize * Game::CategoryCount));
        return false;
    }
    QVector<qint32> lengths;
    for (int c = 0; c < Game::CategoryCount; ++c)
        lengths.append(lengthAt(index, c));
    return splitPack(thumbPackFile(state), lengths, 0, true, thumbs);
}

void DataFolder::checkManifest()
{
    // A line for each of the folder's 29 files fits in far less: anything longer is no manifest.
    constexpr qint64 MaxManifestSize = 64 * 1024;
    QFile file;
    const SafeFile::Status status
        = SafeFile::open(file, fileIn(m_path, ManifestFile), QIODevice::ReadOnly, true);
    if (status == SafeFile::Status::Missing)
        return; // folders made by other packers have none
    if (status != SafeFile::Status::Ok) {
        note(Problem::Error, 0, 0, QStringLiteral("%1 non si può leggere").arg(shown(ManifestFile)));
        return;
    }
    if (file.size() > MaxManifestSize) {
        note(Problem::Error, 0, 0,
             QStringLiteral("%1 è lungo %2 byte: non è un manifesto di questa cartella")
                 .arg(shown(ManifestFile))
                 .arg(file.size()));
        return;
    }
    // sha256sum writes "HEX  NAME"; "HEX *NAME" is its binary mode, which it checks alike.
    static const QRegularExpression lineForm(QStringLiteral("^([0-9a-fA-F]{64}) [ *](.+)$"));
    const QList<QByteArray> lines = file.read(MaxManifestSize).split('\n');
    QSet<QString> listed;
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromUtf8(lines[i]).remove(QLatin1Char('\r'));
        if (line.isEmpty())
            continue;
        const QString where = QStringLiteral("%1, riga %2: ").arg(shown(ManifestFile)).arg(i + 1);
        const QRegularExpressionMatch match = lineForm.match(line);
        if (!match.hasMatch()) {
            note(Problem::Error, 0, 0, where + QStringLiteral("non è una riga di sha256sum (HEX  NOME)"));
            continue;
        }
        const QString name = match.captured(2);
        if (!isContentFileName(name) || GameFolder::DataDir + name == ManifestFile) {
            note(Problem::Error, 0, 0,
                 where + QStringLiteral("%1 non è un file della cartella Data").arg(name));
            continue;
        }
        listed.insert(name);
        QFile listedFile;
        const SafeFile::Status state = SafeFile::open(listedFile, fileIn(m_path, GameFolder::DataDir + name),
                                                      QIODevice::ReadOnly, true);
        if (state == SafeFile::Status::Missing)
            continue; // a missing pack or index is reported on its own
        QCryptographicHash hash(QCryptographicHash::Sha256);
        if (state != SafeFile::Status::Ok || !hash.addData(&listedFile))
            note(Problem::Error, 0, 0,
                 where + QStringLiteral("%1 non si può leggere").arg(shown(GameFolder::DataDir + name)));
        else if (hash.result().toHex() != match.captured(1).toLatin1().toLower())
            note(Problem::Error, 0, 0,
                 where
                     + QStringLiteral("%1 non corrisponde alla sua somma SHA-256: è cambiato dopo il "
                                      "manifesto o è danneggiato")
                           .arg(shown(GameFolder::DataDir + name)));
    }
    const QStringList present = QDir(m_path).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : present) {
        if (isContentFileName(name) && GameFolder::DataDir + name != ManifestFile && !listed.contains(name))
            note(Problem::Warning, 0, 0,
                 QStringLiteral("%1 non è elencato in %2")
                     .arg(shown(GameFolder::DataDir + name), shown(ManifestFile)));
    }
}

} // namespace PackContent
