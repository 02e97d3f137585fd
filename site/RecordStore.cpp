#include "RecordStore.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QVariant>

namespace {

bool isPostgres(const QString &address)
{
    return address.startsWith(QLatin1String("postgresql://"))
           || address.startsWith(QLatin1String("postgres://"));
}

const char *const createTable = "CREATE TABLE IF NOT EXISTS lumivo_records ("
                                " name TEXT PRIMARY KEY,"
                                " classic BIGINT NOT NULL,"
                                " bonus BIGINT NOT NULL,"
                                " alpha BIGINT NOT NULL,"
                                " puzzle BIGINT NOT NULL,"
                                " total BIGINT NOT NULL,"
                                " arrived TEXT NOT NULL)";
// The ranking's order whole, so that a page and a player's position are read from the index
// alone; it replaces the earlier index on (total, arrived).
const char *const createIndex
    = "CREATE INDEX IF NOT EXISTS lumivo_records_rank ON lumivo_records (total, arrived, name)";
const char *const dropOldIndex = "DROP INDEX IF EXISTS lumivo_records_total";
const char *const columns = "SELECT name, classic, bonus, alpha, puzzle, total, arrived FROM lumivo_records";
const char *const order = " ORDER BY total, arrived, name";

bool run(QSqlQuery &query, const QString &sql, QString *error)
{
    if (query.exec(sql))
        return true;
    *error = query.lastError().text();
    return false;
}

} // namespace

RecordStore::~RecordStore()
{
    close();
}

bool RecordStore::open(const QString &address, QString *error)
{
    close();
    m_address = address;
    m_connection = QStringLiteral("lumivo-records");
    return connect(error);
}

bool RecordStore::connect(QString *error)
{
    QSqlDatabase db;
    if (isPostgres(m_address)) {
        const QUrl url(m_address, QUrl::StrictMode);
        const QString name = url.path().mid(1);
        if (!url.isValid() || url.host().isEmpty() || name.isEmpty() || name.contains(QLatin1Char('/'))) {
            *error
                = QStringLiteral("indirizzo PostgreSQL non valido (postgresql://utente@host:porta/database)");
            return false;
        }
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_connection);
        db.setHostName(url.host());
        db.setPort(url.port(5432));
        db.setUserName(url.userName());
        db.setPassword(url.password());
        db.setDatabaseName(name);
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
        db.setDatabaseName(m_address);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    }
    if (!db.isValid()) {
        *error = QStringLiteral("driver del database non disponibile");
        return false;
    }
    if (!db.open()) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    if (db.driverName() == QLatin1String("QSQLITE")) {
        // Write-ahead log, synced at every commit: an answered post survives a crash or power loss.
        if (!run(query, QStringLiteral("PRAGMA journal_mode=WAL"), error))
            return false;
        if (!query.next()
            || query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
            *error = QStringLiteral("il file SQLite non accetta il registro WAL");
            return false;
        }
        if (!run(query, QStringLiteral("PRAGMA synchronous=FULL"), error))
            return false;
    } else if (!run(query, QStringLiteral("SET synchronous_commit = on"), error)
               || !run(query, QStringLiteral("SET client_min_messages = warning"), error)) {
        return false;
    }
    return run(query, QLatin1String(createTable), error) && run(query, QLatin1String(createIndex), error)
           && run(query, QLatin1String(dropOldIndex), error);
}

void RecordStore::close()
{
    if (m_connection.isEmpty())
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

// A lost connection (a restarted PostgreSQL server) is opened again once before giving up.
template<class Work> bool RecordStore::withRetry(Work work, QString *error)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isOpen() && work(db, error))
            return true;
        if (attempt == 0) {
            db = QSqlDatabase();
            close();
            QString reopenError;
            if (!connect(&reopenError)) {
                *error = reopenError;
                return false;
            }
        }
    }
    return false;
}

bool RecordStore::save(const QVector<Entry> &entries, QString *error)
{
    return withRetry(
        [&](QSqlDatabase &db, QString *why) {
            if (!db.transaction()) {
                *why = db.lastError().text();
                return false;
            }
            QSqlQuery query(db);
            query.prepare(QStringLiteral(
                "INSERT INTO lumivo_records (name, classic, bonus, alpha, puzzle, total, arrived)"
                " VALUES (?, ?, ?, ?, ?, ?, ?)"
                " ON CONFLICT (name) DO UPDATE SET classic = excluded.classic, bonus = excluded.bonus,"
                " alpha = excluded.alpha, puzzle = excluded.puzzle, total = excluded.total,"
                " arrived = excluded.arrived"));
            const QString arrived = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
            for (const Entry &entry : entries) {
                qint64 total = 0;
                query.bindValue(0, entry.name);
                for (int k = 0; k < 4; ++k) {
                    query.bindValue(1 + k, qint64(entry.times[k]));
                    total += entry.times[k];
                }
                query.bindValue(5, total);
                query.bindValue(6, arrived);
                if (!query.exec()) {
                    *why = query.lastError().text();
                    query.finish();
                    db.rollback();
                    return false;
                }
            }
            if (db.commit())
                return true;
            *why = db.lastError().text();
            db.rollback();
            return false;
        },
        error);
}

namespace {

RankedRecord recordAt(const QSqlQuery &query)
{
    RankedRecord record;
    record.name = query.value(0).toString();
    for (int k = 0; k < 4; ++k)
        record.times[k] = qint32(query.value(1 + k).toLongLong());
    record.total = query.value(5).toLongLong();
    record.arrived = QDateTime::fromString(query.value(6).toString(), Qt::ISODateWithMs);
    return record;
}

bool fail(const QSqlQuery &query, QString *error)
{
    *error = query.lastError().text();
    return false;
}

// How many pages are numbered, counting no further than they reach.
bool countPages(QSqlDatabase &db, RankingPage *page, QString *error)
{
    constexpr qint64 numbered = qint64(RankingPage::MaxPages) * RankingPage::PageSize;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM lumivo_records LIMIT ?) AS head"));
    query.bindValue(0, numbered + 1);
    if (!query.exec() || !query.next())
        return fail(query, error);
    const qint64 players = query.value(0).toLongLong();
    page->more = players > numbered;
    page->pages = int((qMin(players, numbered) + RankingPage::PageSize - 1) / RankingPage::PageSize);
    return true;
}

bool readPage(QSqlDatabase &db, int number, RankingPage *page, QString *error)
{
    page->number = number;
    page->first = qint64(number - 1) * RankingPage::PageSize + 1;
    page->records.clear();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // The rows before the page are skipped in the index alone; only the page's own are read whole.
    query.prepare(
        QLatin1String(columns)
        + QStringLiteral(" WHERE (total, arrived, name) >= (SELECT total, arrived, name FROM lumivo_records")
        + QLatin1String(order) + QStringLiteral(" LIMIT 1 OFFSET ?)") + QLatin1String(order)
        + QStringLiteral(" LIMIT ?"));
    query.bindValue(0, page->first - 1);
    query.bindValue(1, RankingPage::PageSize);
    if (!query.exec())
        return fail(query, error);
    while (query.next())
        page->records.append(recordAt(query));
    return true;
}

} // namespace

template<class Read> std::optional<RankingPage> RecordStore::read(Read read, QString *error)
{
    RankingPage page;
    const bool ok = withRetry(
        [&](QSqlDatabase &db, QString *why) {
            page = RankingPage();
            return countPages(db, &page, why) && read(db, &page, why);
        },
        error);
    if (!ok)
        return std::nullopt;
    return page;
}

std::optional<RankingPage> RecordStore::page(int number, QString *error)
{
    return read([&](QSqlDatabase &db, RankingPage *page,
                    QString *why) { return number > page->pages || readPage(db, number, page, why); },
                error);
}

std::optional<RankingPage> RecordStore::playerPage(const QString &name, QString *error)
{
    return read(
        [&](QSqlDatabase &db, RankingPage *page, QString *why) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            query.prepare(QLatin1String(columns) + QStringLiteral(" WHERE name = ?"));
            query.bindValue(0, name);
            if (!query.exec())
                return fail(query, why);
            if (!query.next())
                return true;
            const RankedRecord player = recordAt(query);
            const QVariant arrived = query.value(6);
            // Those before the player, counted through the index and no further than the
            // numbered pages reach.
            constexpr qint64 numbered = qint64(RankingPage::MaxPages) * RankingPage::PageSize;
            query.prepare(QStringLiteral("SELECT COUNT(*) FROM (SELECT 1 FROM lumivo_records"
                                         " WHERE (total, arrived, name) < (?, ?, ?) LIMIT ?) AS ahead"));
            query.bindValue(0, player.total);
            query.bindValue(1, arrived);
            query.bindValue(2, name);
            query.bindValue(3, numbered);
            if (!query.exec() || !query.next())
                return fail(query, why);
            const qint64 ahead = query.value(0).toLongLong();
            if (ahead >= numbered) {
                page->number = 0;
                page->first = 0;
                page->records = {player};
                page->found = 0;
                return true;
            }
            if (!readPage(db, int(ahead / RankingPage::PageSize) + 1, page, why))
                return false;
            for (int k = 0; k < page->records.size(); ++k) {
                if (page->records[k].name == name)
                    page->found = k;
            }
            return true;
        },
        error);
}
