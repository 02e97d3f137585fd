// Prints what extraction costs on a realistic content set: time (median of repeated runs),
// bytes read from Data/, and the time against a plain copy of the same picture bytes.
//
//   bench_extraction [runs]

#include "BenchStills.h"
#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "pack/PackContent.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <numeric>

namespace {
constexpr int GenreCount = 180; // 20 pages
constexpr int ThemedCount = 157;

struct Figures {
    double extractMs = 0;
    double copyMs = 0;
    qint64 bytesRead = 0;
    qint64 extracted = 0;
    qint64 expected = 0;
};

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The least a copy of the same pictures can do: one positioned read, one file per picture.
void plainCopy(const QString &pack, qint64 offset, const QVector<qint64> &sizes, const QString &prefix)
{
    QFile in(pack);
    in.open(QIODevice::ReadOnly);
    in.seek(offset);
    qint64 total = 0;
    for (qint64 size : sizes)
        total += size;
    const QByteArray data = in.read(total);
    qint64 at = 0;
    for (int k = 0; k < sizes.size(); ++k) {
        QFile out(GameFolder::path(
            QStringLiteral("Temp/%1%2.tmp").arg(prefix).arg(k + 1, 4, 10, QLatin1Char('0'))));
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(data.constData() + at, sizes[k]);
        at += sizes[k];
    }
}

Figures measure(int runs, const std::function<bool()> &extract, const std::function<void()> &copy)
{
    QVector<double> extractTimes, copyTimes;
    Figures figures;
    for (int i = 0; i < runs; ++i) {
        removeTempPictures();
        ContentFiles::resetBytesRead();
        QElapsedTimer timer;
        timer.start();
        if (!extract())
            qFatal("extraction failed");
        extractTimes.append(timer.nsecsElapsed() / 1e6);
        figures.bytesRead = ContentFiles::bytesRead();

        removeTempPictures();
        timer.restart();
        copy();
        copyTimes.append(timer.nsecsElapsed() / 1e6);
    }
    figures.extractMs = median(extractTimes);
    figures.copyMs = median(copyTimes);
    return figures;
}

void print(QTextStream &out, const QString &what, const Figures &f)
{
    out << what << '\n'
        << QStringLiteral("  time %1 ms, plain copy %2 ms, ratio %3\n")
               .arg(f.extractMs, 0, 'f', 3)
               .arg(f.copyMs, 0, 'f', 3)
               .arg(f.extractMs / f.copyMs, 0, 'f', 2)
        << QStringLiteral("  bytes read %1 = pictures %2 + index records %3 (expected %4)%5\n")
               .arg(f.bytesRead)
               .arg(f.extracted)
               .arg(f.bytesRead - f.extracted)
               .arg(f.expected)
               .arg(f.bytesRead == f.expected ? QString() : QStringLiteral("  <-- MORE THAN NEEDED"));
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = app.arguments().value(1, QStringLiteral("41")).toInt();
    QTextStream out(stdout);
    QTemporaryDir dir;
    GameFolder::setInstalled(dir.path());
    QDir(dir.path()).mkpath(QStringLiteral("Temp"));
    QDir(dir.path()).mkpath(QStringLiteral("User"));

    // Category 1: 180 stills; category 10: 157; thumbnails for every category and state.
    QRandomGenerator random(1234);
    PackContent::Content content;
    qint64 total = 0, smallest = 1 << 30, largest = 0;
    for (int n = 0; n < GenreCount + ThemedCount; ++n) {
        const QSize size = BenchStills::stillSize(n);
        const QByteArray data = BenchStills::still(random, size.width(), size.height());
        total += data.size();
        smallest = qMin<qint64>(smallest, data.size());
        largest = qMax<qint64>(largest, data.size());
        content.categories[n < GenreCount ? 1 : 10].append({data, QStringLiteral("Film n. %1").arg(n + 1)});
    }
    for (auto &state : content.thumbs) {
        for (int c = 1; c <= 20; ++c)
            state[c] = BenchStills::still(random, 200, 100);
    }
    QString error;
    if (!QDir(dir.path()).mkpath(QStringLiteral("Data"))
        || !PackContent::writeData(content, dir.path() + QStringLiteral("/Data"), &error))
        qFatal("%s", qPrintable(error));
    CategoryTable table;
    if (!table.load())
        qFatal("no counts");
    out << QStringLiteral("%1 JPEG stills of %2 to %3 KB, %4 KB on average; median of %5 runs\n\n")
               .arg(GenreCount + ThemedCount)
               .arg(smallest / 1024)
               .arg(largest / 1024)
               .arg(total / 1024.0 / (GenreCount + ThemedCount), 0, 'f', 1)
               .arg(runs);

    const QString data = dir.path() + QStringLiteral("/Data/");

    auto sizesOf = [](const QVector<PackContent::Picture> &pictures, int from, int count, qint64 *offset) {
        QVector<qint64> result;
        *offset = ContentFiles::PackHeaderSize;
        for (int i = 0; i < from; ++i)
            *offset += pictures[i].data.size();
        for (int i = from; i < from + count; ++i)
            result.append(pictures[i].data.size());
        return result;
    };
    auto sum = [](const QVector<qint64> &values) {
        return std::accumulate(values.begin(), values.end(), qint64(0));
    };

    // The last page of the genre category.
    qint64 offset = 0;
    QVector<qint64> page = sizesOf(content.categories[1], GenreCount - 9, 9, &offset);
    Figures f = measure(
        runs, [&] { return extractPage(table, 1, GenreCount / 9).ok(); },
        [&] { plainCopy(data + QStringLiteral("0001.lvd"), offset, page, QString()); });
    f.extracted = sum(page);
    f.expected = f.extracted + GenreCount * 7 + 9 * 82;
    print(out, QStringLiteral("Last page (20 of 20) of a genre category of 180 pictures:"), f);

    // The whole themed category.
    QVector<qint64> themed = sizesOf(content.categories[10], 0, ThemedCount, &offset);
    f = measure(
        runs, [&] { return extractPage(table, 10, 0).ok(); },
        [&] { plainCopy(data + QStringLiteral("0010.lvd"), offset, themed, QString()); });
    f.extracted = sum(themed);
    f.expected = f.extracted + ThemedCount * (7 + 82);
    print(out, QStringLiteral("Whole themed category of 157 pictures:"), f);

    // The last thumbnail of B000 (the profile read of the category state included).
    QVector<PackContent::Picture> thumbs;
    for (int c = 1; c <= 20; ++c)
        thumbs.append({content.thumbs[1][c], QString()});
    QVector<qint64> thumb = sizesOf(thumbs, 19, 1, &offset);
    f = measure(
        runs, [&] { return extractThumb(20, Game::CategoryState(1)).ok(); },
        [&] { plainCopy(data + QStringLiteral("B000.lvd"), offset, thumb, QStringLiteral("thumb")); });
    f.extracted = sum(thumb);
    f.expected = f.extracted + 20 * 7;
    print(out, QStringLiteral("Thumbnail of category 20, state open:"), f);
    return 0;
}
