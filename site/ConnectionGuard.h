#pragma once

#include <QTcpServer>
#include <QTimer>

class QTcpSocket;

// Watches one client connection so that no client can hold the site hostage: a connection that
// neither sends nor takes anything for a while is dropped, and one that sends more than a request
// may hold before it is answered is refused with 413 (one that is no HTTP at all with 400) and
// then ignored until it goes away.
class ConnectionGuard : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 MaxBody = 64 * 1024;
    static constexpr qint64 MaxHeader = 16 * 1024;
    static constexpr int IdleMs = 30000;

    explicit ConnectionGuard(QTcpSocket *socket);

    // The guard of a socket the site accepted; null for any other socket.
    static ConnectionGuard *of(QTcpSocket *socket);

    // A whole request has been read: the count of unanswered bytes starts again.
    void requestRead()
    {
        m_unanswered = 0;
        m_headChecked = false;
        m_head.clear();
    }
    // The connection was refused; requests still parsed from it are not answered.
    bool refused() const { return m_refused; }

private:
    void onReadyRead();
    void checkHead(const QByteArray &chunk);
    void refuse(int status);
    void shutDownWhenSent();

    QTcpSocket *m_socket;
    QTimer m_idle;
    QByteArray m_head;
    qint64 m_unanswered = 0;
    qint64 m_discarded = 0;
    bool m_refused = false;
    bool m_headChecked = false;
};

// A listening socket whose connections each get a guard, up to a fixed number at a time.
class GuardedTcpServer : public QTcpServer
{
    Q_OBJECT

public:
    static constexpr int MaxConnections = 256;

    using QTcpServer::QTcpServer;
    ~GuardedTcpServer() override;

protected:
    void incomingConnection(qintptr socketDescriptor) override;

private:
    int m_open = 0;
};
