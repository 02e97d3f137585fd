// Prints what the ranking costs at community scale: a database of a million records (or as many
// as asked), filled straight through SQL, and the time lumivo-site takes to answer the ranking's
// first page, its last numbered page and a search by name, with the size of the page, on SQLite
// and, when LUMIVO_TEST_PG holds a server's address, on PostgreSQL. Each is timed queried (the
// records changed just before, as a post does) and ready (nothing changed since the last answer:
// the first pages come as kept, the others with the players' count kept), side by side.
//
//   bench_ranking [records] [runs]
//   tests/site/with-postgres.sh build/bench/bench_ranking

#include "BenchSite.h"
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTextStream>
#include <QUrl>

#include <algorithm>
#include <vector>

namespace {

QTextStream out(stdout);

QSqlDatabase open(const QString &address)
{
    const bool pg = address.startsWith(QLatin1String("postgresql://"));
    QSqlDatabase db = QSqlDatabase::addDatabase(pg ? "QPSQL" : "QSQLITE", address);
    const QUrl url(address);
    db.setHostName(url.host());
    db.setPort(url.port(5432));
    db.setUserName(url.userName());
    db.setDatabaseName(pg ? url.path().mid(1) : address);
    if (!db.open())
        qFatal("%s", qPrintable(db.lastError().text()));
    return db;
}

void exec(QSqlDatabase &db, const QString &sql, int records = 0)
{
    QSqlQuery query(db);
    bool ok = false;
    if (records) {
        query.prepare(sql);
        query.addBindValue(records);
        ok = query.exec();
    } else {
        ok = query.exec(sql);
    }
    if (!ok)
        qFatal("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
}

// The site makes the table; the records go in without the ranking's index, which the site then
// makes again at its next start.
void fill(const QString &address, int records)
{
    {
        QTemporaryDir data;
        BenchSite::Site site(data.path(), address, 600000);
    }
    QSqlDatabase db = open(address);
    const bool pg = db.driverName() == QLatin1String("QPSQL");
    exec(db, "DELETE FROM lumivo_records");
    exec(db, "DROP INDEX IF EXISTS lumivo_records_rank");
    exec(db, "DROP INDEX IF EXISTS lumivo_records_look");
    if (!pg)
        exec(db, "DROP TRIGGER IF EXISTS lumivo_records_insert"); // one count a row: the site makes it again
    const QString times = pg ? "floor(random() * 1000000)::bigint" : "abs(random()) % 1000000";
    const QString numbers
        = pg ? "SELECT i FROM generate_series(1, ?) AS i"
             : "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
               "SELECT i FROM n";
    exec(db,
         QStringLiteral(
             "INSERT INTO lumivo_records (name, look, classic, bonus, alpha, puzzle, total, arrived)"
             " SELECT 'Giocatore ' || i, 'Giocatore ' || i, c, b, a, p, c + b + a + p,"
             " '2026-01-01T00:00:00.000Z'"
             " FROM (SELECT i, %1 AS c, %1 AS b, %1 AS a, %1 AS p FROM (%2) AS numbers) AS r")
             .arg(times, numbers),
         records);
    if (pg)
        exec(db, "VACUUM ANALYZE lumivo_records");
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(address);
}

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
    QSqlDatabase db = open(address);
    auto median = [](std::vector<double> &times) {
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    };
    for (const auto &[what, path] : {std::pair {"ranking page 1", QByteArray("/LumivoPro/ranking")},
                                     {"page 2000", QByteArray("/LumivoPro/ranking?page=2000")},
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
