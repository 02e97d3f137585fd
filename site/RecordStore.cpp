#include "RecordStore.h"

#include "RecordPost.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>
#include <QVariant>

#include <algorithm>

namespace {

bool isPostgres(const QString &address)
{
    return address.startsWith(QLatin1String("postgresql://"))
           || address.startsWith(QLatin1String("postgres://"));
}

const char *const createTable = "CREATE TABLE IF NOT EXISTS lumivo_records ("
                                " name TEXT PRIMARY KEY,"
                                " look TEXT NOT NULL,"
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
// One player per look: a name that looks like a stored one cannot slip in beside it, also when
// two site processes store the two at once.
const char *const createLookIndex
    = "CREATE UNIQUE INDEX IF NOT EXISTS lumivo_records_look ON lumivo_records (look)";
const char *const createChanges = "CREATE TABLE IF NOT EXISTS lumivo_changes ("
                                  " id INTEGER PRIMARY KEY, changes BIGINT NOT NULL)";
const char *const firstChange
    = "INSERT INTO lumivo_changes (id, changes) VALUES (1, 0) ON CONFLICT (id) DO NOTHING";
// Raised by the database itself, so that a change made by hand or by another program shows too.
const char *const bump = "UPDATE lumivo_changes SET changes = changes + 1 WHERE id = 1";
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
    return prepareTables(db, error);
}

namespace {

// Rows stored before looks were kept get theirs, in the order they arrived. Of names stored back
// then that already look alike, the later keeps its row under a look of its own (marked by a tab,
// which no name holds) and is refused as a look-alike at its next post.
bool fillLooks(QSqlDatabase &db, QString *error)
{
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!run(query,
             QStringLiteral("SELECT name, look FROM lumivo_records ORDER BY look IS NULL, arrived, name"),
             error))
        return false;
    QSet<QString> taken;
    QVector<QPair<QString, QString>> missing; // name, look
    while (query.next()) {
        if (!query.isNull(1)) {
            taken.insert(query.value(1).toString());
            continue;
        }
        const QString name = query.value(0).toString();
        QString look = RecordPost::look(name);
        if (taken.contains(look))
            look = QLatin1Char('\t') + name;
        taken.insert(look);
        missing.append({name, look});
    }
    query.prepare(QStringLiteral("UPDATE lumivo_records SET look = ? WHERE name = ?"));
    for (const auto &[name, look] : missing) {
        query.bindValue(0, look);
        query.bindValue(1, name);
        if (!query.exec()) {
            *error = query.lastError().text();
            return false;
        }
    }
    return true;
}

} // namespace

bool RecordStore::prepareTables(QSqlDatabase &db, QString *error)
{
    // In one transaction, and on PostgreSQL one process at a time: site processes that start
    // together take turns, and none sees the tables half made.
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    QSqlQuery query(db);
    auto runAll = [&](std::initializer_list<QString> statements) {
        return std::all_of(statements.begin(), statements.end(),
                           [&](const QString &sql) { return run(query, sql, error); });
    };
    const bool sqlite = db.driverName() == QLatin1String("QSQLITE");
    bool ok
        = (sqlite || run(query, QStringLiteral("SELECT pg_advisory_xact_lock(7456183)"), error))
          && runAll({QLatin1String(createTable), QLatin1String(createChanges), QLatin1String(firstChange)});
    // A table made before looks were kept gets the column, filled before it becomes unique.
    if (ok && !db.record(QStringLiteral("lumivo_records")).contains(QStringLiteral("look")))
        ok = run(query, QStringLiteral("ALTER TABLE lumivo_records ADD COLUMN look TEXT"), error);
    ok = ok && fillLooks(db, error)
         && runAll({QLatin1String(createIndex), QLatin1String(dropOldIndex), QLatin1String(createLookIndex)});
    if (ok && sqlite) {
        for (const char *event : {"INSERT", "UPDATE", "DELETE"})
            ok = ok
                 && run(query,
                        QStringLiteral(
                            "CREATE TRIGGER IF NOT EXISTS lumivo_records_%1 AFTER %2 ON lumivo_records "
                            "BEGIN %3; END")
                            .arg(QString::fromLatin1(event).toLower(), QLatin1String(event),
                                 QLatin1String(bump)),
                        error);
    } else if (ok) {
        ok = runAll({QStringLiteral("CREATE OR REPLACE FUNCTION lumivo_records_changed() RETURNS trigger "
                                    "LANGUAGE plpgsql AS $$BEGIN %1; RETURN NULL; END$$")
                         .arg(QLatin1String(bump)),
                     QStringLiteral("CREATE OR REPLACE TRIGGER lumivo_records_changed AFTER INSERT OR UPDATE "
                                    "OR DELETE OR TRUNCATE ON lumivo_records FOR EACH STATEMENT EXECUTE "
                                    "FUNCTION lumivo_records_changed()")});
    }
    query.finish();
    if (ok && db.commit())
        return true;
    if (ok)
        *error = db.lastError().text();
    db.rollback();
    return false;
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

bool RecordStore::save(QVector<Entry> &entries, QString *error)
{
    return withRetry(
        [&](QSqlDatabase &db, QString *why) {
            if (!db.transaction()) {
                *why = db.lastError().text();
                return false;
            }
            QSqlQuery query(db);
            QSqlQuery owner(db);
            // A look already stored under another name leaves that record as it is.
            query.prepare(QStringLiteral(
                "INSERT INTO lumivo_records (name, look, classic, bonus, alpha, puzzle, total, arrived)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, ?)"
                " ON CONFLICT (look) DO UPDATE SET classic = excluded.classic, bonus = excluded.bonus,"
                " alpha = excluded.alpha, puzzle = excluded.puzzle, total = excluded.total,"
                " arrived = excluded.arrived WHERE lumivo_records.name = excluded.name"));
            owner.prepare(QStringLiteral("SELECT name FROM lumivo_records WHERE look = ?"));
            const QString arrived = QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
            for (Entry &entry : entries) {
                const QString look = RecordPost::look(entry.name);
                qint64 total = 0;
                query.bindValue(0, entry.name);
                query.bindValue(1, look);
                for (int k = 0; k < 4; ++k) {
                    query.bindValue(2 + k, qint64(entry.times[k]));
                    total += entry.times[k];
                }
                query.bindValue(6, total);
                query.bindValue(7, arrived);
                bool ok = query.exec();
                entry.lookalikeOf.clear();
                if (ok && query.numRowsAffected() == 0) {
                    owner.bindValue(0, look);
                    ok = owner.exec() && owner.next();
                    entry.lookalikeOf = owner.value(0).toString();
                    owner.finish();
                }
                if (!ok) {
                    *why = (query.lastError().isValid() ? query : owner).lastError().text();
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

std::optional<qint64> RecordStore::changes(QString *error)
{
    qint64 changes = 0;
    const bool ok = withRetry(
        [&](QSqlDatabase &db, QString *why) {
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("SELECT changes FROM lumivo_changes WHERE id = 1")))
                return fail(query, why);
            if (!query.next()) {
                *why = QStringLiteral("contatore delle modifiche mancante");
                return false;
            }
            changes = query.value(0).toLongLong();
            return true;
        },
        error);
    if (!ok)
        return std::nullopt;
    return changes;
}

template<class Read> std::optional<RankingPage> RecordStore::read(qint64 changes, Read read, QString *error)
{
    RankingPage page;
    const bool ok = withRetry(
        [&](QSqlDatabase &db, QString *why) {
            page = RankingPage();
            // Counting costs more than the page itself; the count holds until the next change.
            if (changes != m_countedAt) {
                if (!countPages(db, &page, why))
                    return false;
                m_countedAt = changes;
                m_pages = page.pages;
                m_more = page.more;
            }
            page.pages = m_pages;
            page.more = m_more;
            return read(db, &page, why);
        },
        error);
    if (!ok)
        return std::nullopt;
    return page;
}

std::optional<RankingPage> RecordStore::page(int number, qint64 changes, QString *error)
{
    return read(
        changes,
        [&](QSqlDatabase &db, RankingPage *page, QString *why) {
            return number > page->pages || readPage(db, number, page, why);
        },
        error);
}

std::optional<RankingPage> RecordStore::playerPage(const QString &name, qint64 changes, QString *error)
{
    return read(
        changes,
        [&](QSqlDatabase &db, RankingPage *page, QString *why) {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            query.prepare(QLatin1String(columns) + QStringLiteral(" WHERE look = ?"));
            query.bindValue(0, RecordPost::look(name));
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
            query.bindValue(2, player.name);
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
                if (page->records[k].name == player.name)
                    page->found = k;
            }
            return true;
        },
        error);
}
