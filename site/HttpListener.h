#pragma once

#include "HttpConnection.h"

#include <QHash>
#include <QSet>
#include <QTcpServer>

// The listening socket: every connection it accepts becomes an HttpConnection, within limits
// that keep the site open to newcomers. One client address holds at most PerAddress connections
// (addresses of trusted proxies excepted: behind a proxy, the proxy limits each client). When
// all MaxConnections are taken, a newcomer takes the place of the connection that has been
// waiting longest for its request, so connections that trickle or idle cannot lock others out.
class HttpListener : public QTcpServer
{
    Q_OBJECT

public:
    static constexpr int MaxConnections = 256;
    static constexpr int PerAddress = 32;

    HttpListener(const HttpLimits &limits, HttpConnection::Handler handler,
                 const QList<QHostAddress> &trustedProxies, QObject *parent = nullptr);
    ~HttpListener() override;

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    HttpLimits m_limits;
    HttpConnection::Handler m_handler;
    QList<QHostAddress> m_trusted;
    QSet<HttpConnection *> m_connections;
    QHash<QHostAddress, int> m_perAddress;
};
