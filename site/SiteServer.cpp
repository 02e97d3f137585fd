#include "SiteServer.h"

#include "ConnectionGuard.h"
#include "PackStream.h"
#include "Pages.h"
#include "RecordPost.h"
#include "RecordStore.h"

#include <QDir>
#include <QFileInfo>
#include <QHttpServerRequest>
#include <QTcpSocket>
#include <QTextStream>
#include <QTimer>

#include <utility>

#include <sys/stat.h>

namespace {

using Method = QHttpServerRequest::Method;

const QString dataPrefix = QStringLiteral("/LumivoPro/Data/");
const QByteArray htmlType = "text/html; charset=utf-8";

QByteArray statusLine(int status)
{
    const char *reason = "OK";
    switch (status) {
    case 400:
        reason = "Bad Request";
        break;
    case 404:
        reason = "Not Found";
        break;
    case 405:
        reason = "Method Not Allowed";
        break;
    case 413:
        reason = "Payload Too Large";
        break;
    case 500:
        reason = "Internal Server Error";
        break;
    case 503:
        reason = "Service Unavailable";
        break;
    }
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason + "\r\n";
}

void writeHead(QTcpSocket *socket, int status, const QByteArray &type, qint64 length, bool close,
               const QByteArray &extra = {})
{
    QByteArray head = statusLine(status);
    head += "Content-Type: " + type + "\r\nContent-Length: " + QByteArray::number(length) + "\r\n";
    head += "Cache-Control: no-cache\r\nX-Content-Type-Options: nosniff\r\n";
    if (type == htmlType)
        head += "Content-Security-Policy: default-src 'none'; style-src 'unsafe-inline'\r\n";
    if (close)
        head += "Connection: close\r\n";
    head += extra + "\r\n";
    socket->write(head);
}

void send(QTcpSocket *socket, int status, const QByteArray &page, bool headOnly, bool close,
          const QByteArray &extra = {})
{
    writeHead(socket, status, htmlType, page.size(), close, extra);
    if (!headOnly)
        socket->write(page);
    if (close)
        socket->disconnectFromHost();
}

QByteArray header(const QHttpServerRequest &request, const QByteArray &name)
{
    for (const auto &field : request.headers()) {
        if (field.first.compare(name, Qt::CaseInsensitive) == 0)
            return field.second.trimmed();
    }
    return {};
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

void logProblem(const QString &what)
{
    QTextStream(stderr) << "lumivo-site: " << what << Qt::endl;
}

} // namespace

SiteServer::SiteServer(const QString &dataFolder, RecordStore *store, QObject *parent)
    : QAbstractHttpServer(parent)
    , m_dataFolder(QDir(dataFolder).canonicalPath())
    , m_store(store)
{ }

bool SiteServer::handleRequest(const QHttpServerRequest &request, QTcpSocket *socket)
{
    ConnectionGuard *guard = ConnectionGuard::of(socket);
    if (guard) {
        if (guard->refused())
            return true;
        guard->requestRead();
    }
    const bool close = header(request, "Connection").toLower().contains("close");
    const Method method = request.method();
    const bool headOnly = method == Method::Head;
    const bool get = method == Method::Get || headOnly;
    const QString path = request.url().path(QUrl::FullyEncoded);

    auto notAllowed = [&](const QByteArray &allow) {
        send(socket, 405,
             Pages::message(QStringLiteral("Metodo non ammesso"),
                            QStringLiteral("Questo indirizzo accetta solo richieste %1.")
                                .arg(QString::fromLatin1(allow))),
             headOnly, close, "Allow: " + allow + "\r\n");
    };

    if (path.startsWith(dataPrefix)) {
        if (get)
            serveData(path.mid(dataPrefix.size()), headOnly, close, socket);
        else
            notAllowed("GET, HEAD");
    } else if (path == QLatin1String("/LumivoPro/record.asp")) {
        if (method == Method::Post)
            postRecord(request, close, socket);
        else
            notAllowed("POST");
    } else if (path == QLatin1String("/LumivoPro/ranking")) {
        if (get)
            showRanking(headOnly, close, socket);
        else
            notAllowed("GET, HEAD");
    } else if (path == QLatin1String("/forum/index.php") || path == QLatin1String("/")) {
        if (get)
            send(socket, 200, path == QLatin1String("/") ? Pages::home() : Pages::forum(), headOnly, close);
        else
            notAllowed("GET, HEAD");
    } else {
        missingHandler(request, socket);
    }
    return true;
}

void SiteServer::missingHandler(const QHttpServerRequest &request, QTcpSocket *socket)
{
    send(socket, 404,
         Pages::message(QStringLiteral("Pagina inesistente"),
                        QStringLiteral("Questo indirizzo non esiste sul sito di Lumivo Pro.")),
         request.method() == Method::Head, header(request, "Connection").toLower().contains("close"));
}

void SiteServer::serveData(const QString &encodedName, bool headOnly, bool close, QTcpSocket *socket)
{
    auto missing = [&] {
        send(socket, 404,
             Pages::message(QStringLiteral("File inesistente"),
                            QStringLiteral("Il file richiesto non è disponibile per lo scaricamento.")),
             headOnly, close);
    };
    const QByteArray name = QByteArray::fromPercentEncoding(encodedName.toLatin1());
    if (!isPlainFileName(name))
        return missing();
    // Only regular files that really lie inside the data folder, also through symbolic links.
    const QString target
        = QFileInfo(m_dataFolder + QLatin1Char('/') + QString::fromLatin1(name)).canonicalFilePath();
    struct stat info {
    };
    if (target.isEmpty() || !target.startsWith(m_dataFolder + QLatin1Char('/'))
        || ::stat(QFile::encodeName(target).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return missing();
    auto *file = new QFile(target);
    if (!file->open(QIODevice::ReadOnly)) {
        delete file;
        return missing();
    }
    writeHead(socket, 200, "application/octet-stream", file->size(), close);
    if (headOnly) {
        delete file;
        if (close)
            socket->disconnectFromHost();
        return;
    }
    new PackStream(file, socket, close);
}

void SiteServer::postRecord(const QHttpServerRequest &request, bool close, QTcpSocket *socket)
{
    const QByteArray body = request.body();
    if (body.size() > ConnectionGuard::MaxBody) {
        send(socket, 413,
             Pages::message(QStringLiteral("Richiesta troppo grande"),
                            QStringLiteral("La richiesta supera i 64 KiB e non è stata accettata.")),
             false, close);
        return;
    }
    const QByteArray type = header(request, "Content-Type").toLower();
    if (!type.isEmpty() && !type.startsWith("application/x-www-form-urlencoded")) {
        send(socket, 400,
             Pages::recordRefused(QStringLiteral("I tempi vanno inviati come modulo "
                                                 "(application/x-www-form-urlencoded).")),
             false, close);
        return;
    }
    const RecordPost post = RecordPost::fromForm(body);
    if (!post.problem.isEmpty()) {
        send(socket, 400, Pages::recordRefused(post.problem), false, close);
        return;
    }
    m_pending.append({post, socket, close});
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
    for (const PendingPost &p : pending) {
        if (!p.socket)
            continue;
        if (saved)
            send(p.socket, 200, Pages::recordSaved(p.post.name, p.post.times), false, p.close);
        else
            send(p.socket, 503,
                 Pages::message(QStringLiteral("Tempi non registrati"),
                                QStringLiteral("Il registro dei tempi non è raggiungibile in questo momento; "
                                               "nessun dato è stato salvato. Riprova più tardi.")),
                 false, p.close);
    }
}

void SiteServer::showRanking(bool headOnly, bool close, QTcpSocket *socket)
{
    QString error;
    const auto records = m_store->ranking(&error);
    if (!records) {
        logProblem(QStringLiteral("classifica non letta: %1").arg(error));
        send(socket, 503,
             Pages::message(QStringLiteral("Classifica non disponibile"),
                            QStringLiteral("Il registro dei tempi non è raggiungibile in questo momento. "
                                           "Riprova più tardi.")),
             headOnly, close);
        return;
    }
    send(socket, 200, Pages::ranking(*records), headOnly, close);
}
