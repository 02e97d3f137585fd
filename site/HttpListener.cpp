#include "HttpListener.h"

#include <QDeadlineTimer>

#include <functional>
#include <map>
#include <utility>

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// How long the site serves requests before it looks at its sockets again.
constexpr int TurnsMs = 2;

// One client whether it comes over IPv4 or as an IPv4-mapped IPv6 address.
QHostAddress clientOf(const QHostAddress &address)
{
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    return mapped ? QHostAddress(v4) : address;
}

// A connection that gets no place: a short 503, written without waiting, and closed. What the
// client has already sent is read first, so that closing does not reset the connection and
// destroy the answer on its way.
void refuseAtOnce(int socket, const char *title, const char *text)
{
    char buffer[16 * 1024];
    for (int k = 0; k < 4 && ::recv(socket, buffer, sizeof buffer, MSG_DONTWAIT) > 0; ++k) { }
    const QByteArray body
        = QByteArray("<!DOCTYPE html>\n<html lang=\"it\"><head><meta charset=\"utf-8\"><title>") + title
          + "</title></head>\n<body><h1>" + title + "</h1><p>" + text + "</p></body></html>\n";
    const QByteArray answer = httpAnswerHead(503, "text/html; charset=utf-8", body.size(),
                                             "Retry-After: 5\r\nConnection: close\r\n")
                              + body;
    if (::send(socket, answer.constData(), size_t(answer.size()), MSG_DONTWAIT | MSG_NOSIGNAL) > 0)
        ::shutdown(socket, SHUT_WR);
    ::close(socket);
}

} // namespace

HttpListener::HttpListener(const HttpLimits &limits, HttpConnection::Handler handler,
                           const QList<QHostAddress> &trustedProxies, QObject *parent)
    : QTcpServer(parent)
    , m_limits(limits)
    , m_handler(std::move(handler))
{
    for (const QHostAddress &proxy : trustedProxies)
        m_trusted.append(clientOf(proxy));
    // Newcomers wait in the kernel while the site serves a turn.
    setListenBacklogSize(1024);
}

HttpListener::~HttpListener()
{
    for (const QList<HttpConnection *> &connections : std::as_const(m_byAddress)) {
        for (HttpConnection *connection : connections) {
            connection->disconnect(this);
            delete connection;
        }
    }
}

void HttpListener::incomingConnection(qintptr socketDescriptor)
{
    const int socket = int(socketDescriptor);
    sockaddr_storage address {};
    socklen_t length = sizeof address;
    if (::getpeername(socket, reinterpret_cast<sockaddr *>(&address), &length) != 0
        || ::fcntl(socket, F_SETFL, ::fcntl(socket, F_GETFL) | O_NONBLOCK) != 0) {
        ::close(socket);
        return;
    }
    // Small answers go out at once, not held back for the client's acknowledgement.
    const int on = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    const QHostAddress peer(reinterpret_cast<const sockaddr *>(&address));
    const QHostAddress client = clientOf(peer);
    if (!m_trusted.contains(client) && m_byAddress.value(client).size() >= m_limits.perAddress)
        return refuseAtOnce(socket, "Troppe connessioni",
                            "Dal tuo indirizzo sono aperte troppe connessioni con il sito. Chiudine "
                            "qualcuna e riprova.");
    if (m_count >= m_limits.maxConnections) {
        HttpConnection *giver = placeFor(client);
        if (!giver)
            return refuseAtOnce(socket, "Sito al completo",
                                "Il sito ha tutte le connessioni occupate. Riprova tra qualche secondo.");
        giver->close();
    }
    auto *connection = new HttpConnection(socket, peer, m_limits, m_handler, this);
    m_byAddress[client].append(connection);
    ++m_count;
    connect(connection, &HttpConnection::requestReady, this,
            [this, connection, client] { queue(connection, client); });
    connect(connection, &HttpConnection::finished, this,
            [this, connection, client] { forget(connection, client); });
}

HttpConnection *HttpListener::placeFor(const QHostAddress &client) const
{
    const qsizetype own = m_byAddress.value(client).size();
    // The addresses that may give a place, by places held, most first.
    std::map<qsizetype, QList<QHostAddress>, std::greater<>> byCount;
    for (auto it = m_byAddress.cbegin(); it != m_byAddress.cend(); ++it) {
        if (it.value().size() > own || it.key() == client)
            byCount[it.value().size()].append(it.key());
    }
    for (const auto &[count, addresses] : byCount) {
        HttpConnection *best = nullptr;
        std::pair<int, double> bestKey;
        for (const QHostAddress &address : addresses) {
            for (HttpConnection *connection : m_byAddress.value(address)) {
                std::pair<int, double> key;
                switch (connection->phase()) {
                case HttpConnection::Phase::Closing:
                    key = {0, 0};
                    break;
                case HttpConnection::Phase::Waiting:
                    key = {1, double(connection->phaseSince())};
                    break;
                case HttpConnection::Phase::Sending:
                    key = {2, connection->takingRate()};
                    if (key.second < 0)
                        continue;
                    break;
                case HttpConnection::Phase::Queued:
                    key = {3, -double(connection->phaseSince())};
                    break;
                case HttpConnection::Phase::Handling:
                    continue;
                }
                if (!best || key < bestKey) {
                    best = connection;
                    bestKey = key;
                }
            }
        }
        if (best)
            return best;
    }
    return nullptr;
}

void HttpListener::queue(HttpConnection *connection, const QHostAddress &client)
{
    QList<HttpConnection *> &ready = m_ready[client];
    if (ready.isEmpty())
        m_turns.append(client);
    ready.append(connection);
    if (!m_turnPosted) {
        m_turnPosted = true;
        QMetaObject::invokeMethod(this, &HttpListener::serveTurns, Qt::QueuedConnection);
    }
}

// Turns are served for a short while, then the event loop reads what has arrived meanwhile, so
// a newcomer's request joins the round at once. Cheap requests (record posts, small files) are
// served many at a time, and posts read together are stored in one commit.
void HttpListener::serveTurns()
{
    m_turnPosted = false;
    const QDeadlineTimer pass(TurnsMs);
    while (!m_turns.isEmpty() && !pass.hasExpired()) {
        const QHostAddress client = m_turns.takeFirst();
        QList<HttpConnection *> &ready = m_ready[client];
        HttpConnection *connection = ready.takeFirst();
        if (ready.isEmpty())
            m_ready.remove(client);
        else
            m_turns.append(client);
        connection->serve();
    }
    if (!m_turns.isEmpty() && !m_turnPosted) {
        m_turnPosted = true;
        QMetaObject::invokeMethod(this, &HttpListener::serveTurns, Qt::QueuedConnection);
    }
}

void HttpListener::forget(HttpConnection *connection, const QHostAddress &client)
{
    --m_count;
    QList<HttpConnection *> &all = m_byAddress[client];
    all.removeOne(connection);
    if (all.isEmpty())
        m_byAddress.remove(client);
    const auto ready = m_ready.find(client);
    if (ready != m_ready.end() && ready->removeOne(connection) && ready->isEmpty()) {
        m_ready.erase(ready);
        m_turns.removeOne(client);
    }
}
