#pragma once

#include "HttpConnection.h"

#include <QHash>
#include <QList>
#include <QTcpServer>

// The listening socket: every connection it accepts becomes an HttpConnection, within limits
// that keep the site open to newcomers and share it between client addresses (trusted proxies'
// addresses have no per-address limit: behind a proxy, the proxy limits each client).
// - An address holds at most perAddress connections: one more is refused at once with a short
//   503 and never holds a place.
// - When all maxConnections places are taken, a newcomer takes a place from the address that
//   holds the most, if that is more than its own address holds (else from its own address): a
//   connection closing, else the one waiting longest for a request, else the one whose client
//   has taken its answer slowest over at least slowReaderMs, else the request queued last. With
//   none of these, the newcomer gets the short 503.
// - Requests read whole are served one address at a time in turn, one request each, so a flood
//   from a few addresses cannot starve another.
class HttpListener : public QTcpServer
{
    Q_OBJECT

public:
    HttpListener(const HttpLimits &limits, HttpConnection::Handler handler,
                 const QList<QHostAddress> &trustedProxies, QObject *parent = nullptr);
    ~HttpListener() override;

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    HttpConnection *placeFor(const QHostAddress &client) const;
    void queue(HttpConnection *connection, const QHostAddress &client);
    void forget(HttpConnection *connection, const QHostAddress &client);
    void serveTurns();

    HttpLimits m_limits;
    HttpConnection::Handler m_handler;
    QList<QHostAddress> m_trusted;
    int m_count = 0;
    QHash<QHostAddress, QList<HttpConnection *>> m_byAddress; // every connection, by client address
    QHash<QHostAddress, QList<HttpConnection *>> m_ready;     // requests waiting for their turn, in order
    QList<QHostAddress> m_turns;                              // the addresses of those, in turn
    bool m_turnPosted = false;
};
