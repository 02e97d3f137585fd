// Prints what the ranking costs at community scale: a database of a million records (or as many
// as asked), filled straight through SQL, and the time lumivo-site takes to answer the ranking's
// first page, its last numbered page and a search by name, with the size of the page, on SQLite
// and, when LUMIVO_TEST_PG holds a server's address, on PostgreSQL. Each is timed queried (the
// records changed just before, as a post does) and ready (nothing changed since the last answer:
// the first pages come as kept, the others with the players' count kept), side by side.
//
//   bench_ranking [records] [runs]
//   tests/site/with-postgres.sh build/bench/bench_ranking

#include "BenchRanking.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QProcess>
#include <QTcpSocket>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

using namespace BenchRanking;

QTextStream out(stdout);

// Milliseconds for one whole answer on a fresh connection; its body size in *size.
double fetch(quint16 port, const QByteArray &path, qint64 *size)
{
    QTcpSocket socket;
    QElapsedTimer clock;
    clock.start();
    socket.connectToHost(QHostAddress::LocalHost, port);
    socket.waitForConnected(10000);
    socket.write("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    QByteArray data;
    while (socket.waitForReadyRead(10000))
        data += socket.readAll();
    data += socket.readAll();
    const double ms = clock.nsecsElapsed() / 1e6;
    if (!data.startsWith("HTTP/1.1 200"))
        qFatal("%s: %s", path.constData(), data.left(100).constData());
    *size = data.size() - data.indexOf("\r\n\r\n") - 4;
    return ms;
}

void bench(const QString &label, const QString &address, int records, int runs)
{
    QElapsedTimer clock;
    clock.start();
    fill(address, records);
    out << QStringLiteral("%1: %2 records filled in %3 s")
               .arg(label)
               .arg(records)
               .arg(clock.elapsed() / 1000.0, 0, 'f', 1);
    clock.restart();
    QTemporaryDir data;
    BenchSite::Site site(data.path(), address, 600000);
    out << QStringLiteral(", site started (index made) in %1 s").arg(clock.elapsed() / 1000.0, 0, 'f', 1)
        << Qt::endl;
    const QByteArray middle = QByteArray::number(records / 2);
    // Page 2000 is the last the site numbers; a smaller ranking's last page stands in for it.
    const QByteArray lastPage = QByteArray::number(std::clamp((records + 49) / 50, 1, 2000));
    QSqlDatabase db = open(address);
    auto median = [](std::vector<double> &times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    for (const auto &[what, path] : {std::pair {"ranking page 1", QByteArray("/LumivoPro/ranking")},
                                     {"last page", "/LumivoPro/ranking?page=" + lastPage},
                                     {"search by name", "/LumivoPro/ranking?name=Giocatore+" + middle}}) {
        std::vector<double> queried, ready;
        qint64 size = 0;
        for (int k = 0; k < runs; ++k) {
            exec(db, "UPDATE lumivo_changes SET changes = changes + 1");
            queried.push_back(fetch(site.port, path, &size));
            ready.push_back(fetch(site.port, path, &size));
        }
        const double q = median(queried);
        const double r = median(ready);
        out << QStringLiteral(
                   "  %1: %2 KiB; queried median %3 ms (slowest %4); ready median %5 ms (slowest %6), "
                   "%7 times faster (%8 runs)")
                   .arg(QLatin1String(what))
                   .arg(size / 1024.0, 0, 'f', 1)
                   .arg(q, 0, 'f', 2)
                   .arg(queried.back(), 0, 'f', 2)
                   .arg(r, 0, 'f', 2)
                   .arg(ready.back(), 0, 'f', 2)
                   .arg(q / r, 0, 'f', 1)
                   .arg(runs)
            << Qt::endl;
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(address);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int records = argc > 1 ? atoi(argv[1]) : 1000000;
    const int runs = argc > 2 ? atoi(argv[2]) : 21;
    QTemporaryDir dir;
    bench(QStringLiteral("SQLite"), dir.filePath(QStringLiteral("ranking.db")), records, runs);
    const QString pg = qEnvironmentVariable("LUMIVO_TEST_PG");
    if (!pg.isEmpty())
        bench(QStringLiteral("PostgreSQL"), pg, records, runs);
    else
        out << "PostgreSQL: skipped (run through tests/site/with-postgres.sh)" << Qt::endl;
    return 0;
}
