#include "SiteServer.h"

#include "HttpConnection.h"
#include "Pages.h"
#include "RecordPost.h"
#include "RecordStore.h"
#include "base/SitePaths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace {

const QByteArray htmlType = "text/html; charset=utf-8";
const QByteArray htmlHead = "Cache-Control: no-cache\r\nX-Content-Type-Options: nosniff\r\n"
                            "Content-Security-Policy: default-src 'none'; style-src 'unsafe-inline'\r\n";

void send(HttpConnection *connection, int status, const QByteArray &page, const QByteArray &extra = {})
{
    connection->respond(status, htmlType, page, htmlHead + extra);
}

void sendMessage(HttpConnection *connection, int status, const QString &title, const QString &text,
                 const QByteArray &extra = {})
{
    send(connection, status, Pages::message(title, text), extra);
}

// What a request the connection could not read is refused with.
void refuse(HttpConnection *connection, int status)
{
    switch (status) {
    case 408:
        return sendMessage(
            connection, status, QStringLiteral("Richiesta troppo lenta"),
            QStringLiteral("La richiesta non è arrivata per intero in tempo e la connessione è "
                           "stata chiusa. Riprova."));
    case 411:
        return sendMessage(connection, status, QStringLiteral("Lunghezza mancante"),
                           QStringLiteral("Il sito accetta solo corpi di lunghezza dichiarata "
                                          "(Content-Length), non a blocchi. Invia di nuovo la richiesta "
                                          "con la sua lunghezza."));
    case 413:
        return sendMessage(connection, status, QStringLiteral("Richiesta troppo grande"),
                           QStringLiteral("La richiesta supera i 64 KiB e non è stata accettata."));
    case 417:
        return sendMessage(connection, status, QStringLiteral("Attesa non supportata"),
                           QStringLiteral("Il sito capisce solo «Expect: 100-continue»; invia di nuovo la "
                                          "richiesta senza altre attese."));
    case 431:
        return sendMessage(connection, status, QStringLiteral("Intestazioni troppo grandi"),
                           QStringLiteral("Le intestazioni della richiesta superano i 16 KiB o i 128 campi e "
                                          "non sono state accettate."));
    default:
        return sendMessage(connection, 400, QStringLiteral("Richiesta non valida"),
                           QStringLiteral("Il sito non ha capito la richiesta. Controlla l'indirizzo e "
                                          "riprova."));
    }
}

void notAllowed(HttpConnection *connection, const QByteArray &allow)
{
    sendMessage(connection, 405, QStringLiteral("Metodo non ammesso"),
                QStringLiteral("Questo indirizzo accetta solo richieste %1.").arg(QString::fromLatin1(allow)),
                "Allow: " + allow + "\r\n");
}

// Pack and index names are plain ASCII file names: a letter or digit, then letters, digits,
// dots, dashes and underscores. That leaves out every separator, "..", hidden files and any
// escape that decodes to something else.
bool isPlainFileName(const QByteArray &name)
{
    if (name.isEmpty() || name.size() > 128 || name.contains(".."))
        return false;
    for (int k = 0; k < name.size(); ++k) {
        const char c = name[k];
        const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alnum && (k == 0 || (c != '.' && c != '-' && c != '_')))
            return false;
    }
    return true;
}

const QByteArray dataHead = "Cache-Control: no-cache\r\nX-Content-Type-Options: nosniff\r\n";
const QByteArray ManifestName = "index.sha256";

// The representation's digest as a structured-field byte sequence; nothing when unknown.
QByteArray digestField(const QByteArray &sha256)
{
    return sha256.isEmpty() ? QByteArray() : "Repr-Digest: sha-256=:" + sha256.toBase64() + ":\r\n";
}

void missing(HttpConnection *connection)
{
    sendMessage(connection, 404, QStringLiteral("File inesistente"),
                QStringLiteral("Il file richiesto non è disponibile per lo scaricamento."));
}

void logProblem(const QString &what)
{
    QTextStream(stderr) << "lumivo-site: " << what << Qt::endl;
}

} // namespace

SiteServer::SiteServer(const QString &dataFolder, RecordStore *store, QObject *parent)
    : QObject(parent)
    , m_dataFolder(QDir(dataFolder).canonicalPath())
    , m_store(store)
{ }

void SiteServer::handle(HttpConnection *connection, const HttpRequest &request)
{
    if (request.refusal != 0)
        return refuse(connection, request.refusal);
    const bool get = request.method == "GET" || request.method == "HEAD";
    const QByteArray &path = request.path;
    const QByteArray dataPrefix = SitePaths::DataPrefix;

    if (path.startsWith(dataPrefix)) {
        if (!get)
            return notAllowed(connection, "GET, HEAD");
        serveData(connection, path.mid(dataPrefix.size()));
    } else if (path == SitePaths::Record) {
        if (request.method != "POST")
            return notAllowed(connection, "POST");
        postRecord(connection, request);
    } else if (path == SitePaths::Ranking) {
        if (!get)
            return notAllowed(connection, "GET, HEAD");
        showRanking(connection, request.query);
    } else if (path == SitePaths::Forum || path == SitePaths::Home) {
        if (!get)
            return notAllowed(connection, "GET, HEAD");
        send(connection, 200, path == SitePaths::Home ? Pages::home() : Pages::forum());
    } else {
        sendMessage(connection, 404, QStringLiteral("Pagina inesistente"),
                    QStringLiteral("Questo indirizzo non esiste sul sito di Lumivo Pro."));
    }
}

void SiteServer::serveData(HttpConnection *connection, const QByteArray &encodedName)
{
    const QByteArray name = QByteArray::fromPercentEncoding(encodedName);
    if (name == ManifestName)
        return serveManifest(connection, true);
    const QString target = servedPath(name);
    if (target.isEmpty())
        return missing(connection);
    serveFile(connection, target, true);
}

// The file a plain name stands for: only regular files that really lie inside the data folder,
// also through symbolic links; empty for any other.
QString SiteServer::servedPath(const QByteArray &name) const
{
    if (!isPlainFileName(name))
        return {};
    const QString target
        = QFileInfo(m_dataFolder + QLatin1Char('/') + QString::fromLatin1(name)).canonicalFilePath();
    if (target.isEmpty() || !target.startsWith(m_dataFolder + QLatin1Char('/'))
        || !DataDigests::versionOf(target))
        return {};
    return target;
}

// The file with its digest when the digest is known for the very version the answer reads;
// otherwise, the first time, after hashing it.
void SiteServer::serveFile(HttpConnection *connection, const QString &path, bool mayWait)
{
    auto file = std::make_unique<QFile>(path);
    const auto version
        = file->open(QIODevice::ReadOnly) ? DataDigests::versionOf(file->handle()) : std::nullopt;
    if (!version)
        return missing(connection);
    const QByteArray sha = m_digests.known(path, *version, !mayWait);
    if (sha.isEmpty() && mayWait) {
        m_digests.hash({path}, connection, [this, connection, path] { serveFile(connection, path, false); });
        return;
    }
    connection->respondFile(std::move(file), "application/octet-stream", dataHead + digestField(sha));
}

// Every file served from the data folder as sha256sum writes it, from the site's own digests,
// whatever index.sha256 the folder holds: it is current even when the folder changed after the
// file was written.
void SiteServer::serveManifest(HttpConnection *connection, bool mayWait)
{
    QByteArrayList names;
    for (const QString &entry : QDir(m_dataFolder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        names.append(entry.toLatin1());
    std::sort(names.begin(), names.end());
    QByteArray manifest;
    QStringList unknown;
    for (const QByteArray &name : std::as_const(names)) {
        const QString target = name == ManifestName ? QString() : servedPath(name);
        const auto version = target.isEmpty() ? std::nullopt : DataDigests::versionOf(target);
        if (!version)
            continue;
        const QByteArray sha = m_digests.known(target, *version, !mayWait);
        if (sha.isEmpty())
            unknown.append(target);
        else
            manifest += sha.toHex() + "  " + name + '\n';
    }
    // A file that changed while it was hashed is left out of this answer.
    if (!unknown.isEmpty() && mayWait) {
        m_digests.hash(unknown, connection, [this, connection] { serveManifest(connection, false); });
        return;
    }
    connection->respond(200, "text/plain; charset=utf-8", manifest,
                        dataHead
                            + digestField(QCryptographicHash::hash(manifest, QCryptographicHash::Sha256)));
}

void SiteServer::postRecord(HttpConnection *connection, const HttpRequest &request)
{
    // The form's own type, with parameters (a charset) at most.
    const QByteArray type = request.header("content-type");
    if (!type.isEmpty()
        && type.split(';').first().trimmed().toLower() != "application/x-www-form-urlencoded") {
        send(connection, 400,
             Pages::recordRefused(QStringLiteral("I tempi vanno inviati come modulo "
                                                 "(application/x-www-form-urlencoded).")));
        return;
    }
    const RecordPost post = RecordPost::fromForm(request.body);
    if (!post.problem.isEmpty())
        return send(connection, 400, Pages::recordRefused(post.problem));
    m_pending.append({post, connection});
    if (m_pending.size() == 1)
        QTimer::singleShot(0, this, &SiteServer::commitPosts);
}

void SiteServer::commitPosts()
{
    const QVector<PendingPost> pending = std::exchange(m_pending, {});
    QVector<RecordStore::Entry> entries;
    for (const PendingPost &p : pending)
        entries.append({p.post.name, p.post.times});
    QString error;
    const bool saved = m_store->save(entries, &error);
    if (!saved)
        logProblem(QStringLiteral("%1 tempi non salvati: %2").arg(entries.size()).arg(error));
    for (qsizetype k = 0; k < pending.size(); ++k) {
        const PendingPost &p = pending[k];
        if (!p.connection)
            continue;
        if (saved && !entries[k].lookalikeOf.isEmpty())
            send(p.connection, 400,
                 Pages::recordRefused(
                     QStringLiteral(
                         "Il nome sembrerebbe quello di un altro giocatore già in classifica, "
                         "%1: apostrofi, accenti, virgolette e trattini tipografici contano come "
                         "quelli semplici. Invia i tempi da un profilo con un nome che si distingua.")
                         .arg(entries[k].lookalikeOf)));
        else if (saved)
            send(p.connection, 200, Pages::recordSaved(p.post.name, p.post.times));
        else
            sendMessage(p.connection, 503, QStringLiteral("Tempi non registrati"),
                        QStringLiteral("Il registro dei tempi non è raggiungibile in questo momento; "
                                       "nessun dato è stato salvato. Riprova più tardi."));
    }
}

void SiteServer::showRanking(HttpConnection *connection, const QByteArray &query)
{
    auto badQuery = [&](const QString &text) {
        sendMessage(connection, 400, QStringLiteral("Ricerca non valida"), text);
    };
    int number = 1;
    QString name;
    bool search = false;
    for (const QByteArray &pair : query.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        const QByteArray key = eq < 0 ? pair : pair.left(eq);
        const QByteArray value = eq < 0 ? QByteArray() : pair.mid(eq + 1);
        if (key == "page") {
            bool ok = value.size() <= 5
                      && std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
            number = ok ? value.toInt(&ok) : 0;
            if (!ok || number < 1 || number > RankingPage::MaxPages)
                return badQuery(QStringLiteral("Il numero di pagina deve essere un numero intero tra 1 e %1.")
                                    .arg(RankingPage::MaxPages));
        } else if (key == "name") {
            search = true;
            if (!RecordPost::decodeField(value, &name) || name.isEmpty() || name.size() > 43)
                return badQuery(QStringLiteral("Il nome da cercare deve avere da 1 a 43 caratteri, "
                                               "scritti come nel gioco."));
        }
    }
    QString error;
    auto unavailable = [&] {
        logProblem(QStringLiteral("classifica non letta: %1").arg(error));
        sendMessage(connection, 503, QStringLiteral("Classifica non disponibile"),
                    QStringLiteral("Il registro dei tempi non è raggiungibile in questo momento. "
                                   "Riprova più tardi."));
    };
    // One cheap read per request tells whether anything changed, here or in another process.
    const auto changes = m_store->changes(&error);
    if (!changes)
        return unavailable();
    if (*changes != m_readyAt) {
        m_ready.clear();
        m_readyAt = *changes;
    }
    if (const auto ready = m_ready.constFind(number); !search && ready != m_ready.constEnd())
        return send(connection, 200, *ready);
    const auto page
        = search ? m_store->playerPage(name, *changes, &error) : m_store->page(number, *changes, &error);
    if (!page)
        return unavailable();
    if (!search && page->records.isEmpty() && number > 1)
        return sendMessage(
            connection, 404, QStringLiteral("Pagina inesistente"),
            QStringLiteral("Questa pagina della classifica non esiste: l'ultima è la %1.").arg(page->pages));
    const QByteArray html = Pages::ranking(*page, name);
    if (!search && number <= ReadyPages)
        m_ready.insert(number, html);
    send(connection, search && page->found < 0 ? 404 : 200, html);
}
