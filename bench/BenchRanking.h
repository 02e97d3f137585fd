#pragma once

// The benchmarks' ranking: a million players, or as many as asked, straight into the table the
// site makes, with random times.

#include "BenchSite.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>

namespace BenchRanking {

inline QSqlDatabase open(const QString &address)
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

inline void exec(QSqlDatabase &db, const QString &sql, int records = 0)
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
inline void fill(const QString &address, int records)
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

} // namespace BenchRanking
