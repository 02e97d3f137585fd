#include "HttpListener.h"

#include <QTcpSocket>

namespace {

// One client whether it comes over IPv4 or as an IPv4-mapped IPv6 address.
QHostAddress clientOf(const QHostAddress &address)
{
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    return mapped ? QHostAddress(v4) : address;
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
}

HttpListener::~HttpListener()
{
    for (HttpConnection *connection : std::as_const(m_connections)) {
        connection->disconnect(this);
        delete connection;
    }
}

void HttpListener::incomingConnection(qintptr socketDescriptor)
{
    auto *socket = new QTcpSocket;
    if (!socket->setSocketDescriptor(socketDescriptor)) {
        delete socket;
        return;
    }
    if (m_connections.size() >= MaxConnections) {
        HttpConnection *oldest = nullptr;
        for (HttpConnection *connection : std::as_const(m_connections)) {
            if (connection->isWaiting() && (!oldest || connection->waitingSince() < oldest->waitingSince()))
                oldest = connection;
        }
        if (!oldest) {
            // Every connection is busy with an answer: the newcomer tries again later.
            socket->abort();
            delete socket;
            return;
        }
        oldest->close();
    }
    const QHostAddress client = clientOf(socket->peerAddress());
    const bool limited = !m_trusted.contains(client);
    auto *connection = new HttpConnection(socket, m_limits, m_handler, this);
    m_connections.insert(connection);
    connect(connection, &HttpConnection::finished, this, [this, connection, client, limited] {
        m_connections.remove(connection);
        if (limited && --m_perAddress[client] == 0)
            m_perAddress.remove(client);
    });
    if (limited && ++m_perAddress[client] > PerAddress)
        connection->refuse(503);
}
