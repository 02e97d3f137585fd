#include "ConnectionGuard.h"

#include <QRegularExpression>
#include <QTcpSocket>

#include <sys/socket.h>

ConnectionGuard::ConnectionGuard(QTcpSocket *socket)
    : QObject(socket)
    , m_socket(socket)
{
    setObjectName(QStringLiteral("ConnectionGuard"));
    m_idle.setSingleShot(true);
    m_idle.setInterval(IdleMs);
    // Also reclaims a socket the HTTP server gave up on after a request it could not parse.
    connect(&m_idle, &QTimer::timeout, m_socket, [this] {
        m_socket->abort();
        m_socket->deleteLater();
    });
    // Connected before the HTTP server's own handler, so it sees every chunk first.
    connect(m_socket, &QTcpSocket::readyRead, this, &ConnectionGuard::onReadyRead);
    connect(m_socket, &QTcpSocket::bytesWritten, &m_idle, qOverload<>(&QTimer::start));
    // The HTTP server forgets a socket whose request it cannot parse; it still goes once closed.
    connect(m_socket, &QTcpSocket::disconnected, m_socket, &QObject::deleteLater);
    m_idle.start();
}

ConnectionGuard *ConnectionGuard::of(QTcpSocket *socket)
{
    return socket ? socket->findChild<ConnectionGuard *>(QStringLiteral("ConnectionGuard"),
                                                         Qt::FindDirectChildrenOnly)
                  : nullptr;
}

void ConnectionGuard::onReadyRead()
{
    m_idle.start();
    if (m_refused) {
        // Swallowed, so that the client can still read the refusal; a bounded amount.
        m_discarded += m_socket->skip(m_socket->bytesAvailable());
        if (m_discarded > 16 * MaxBody)
            m_socket->abort();
        return;
    }
    m_unanswered += m_socket->bytesAvailable();
    if (m_unanswered > MaxHeader + MaxBody)
        refuse(413);
    else if (!m_headChecked)
        checkHead(m_socket->peek(m_socket->bytesAvailable()));
}

// Looks at a request's head as soon as it is in: a line that is no HTTP request, or a body
// announced as too large, is refused before anything more is read.
void ConnectionGuard::checkHead(const QByteArray &chunk)
{
    // The HTTP server has already taken the earlier pieces of a head that arrives in several.
    m_head += chunk.left(MaxHeader - m_head.size());
    const QByteArray &head = m_head;
    const qsizetype lineEnd = head.indexOf("\r\n");
    if (lineEnd < 0)
        return;
    static const QRegularExpression requestLine(QStringLiteral("^[A-Z]+ [!-~]+ HTTP/1\\.[01]$"));
    if (!requestLine.match(QString::fromLatin1(head.left(lineEnd))).hasMatch())
        return refuse(400);
    const qsizetype end = head.indexOf("\r\n\r\n");
    if (end < 0)
        return;
    m_headChecked = true;
    const QByteArray lower = head.left(end + 2).toLower();
    const qsizetype at = lower.indexOf("\r\ncontent-length:");
    if (at < 0)
        return;
    const qsizetype from = at + 17;
    bool ok = false;
    const qint64 length = lower.mid(from, lower.indexOf("\r\n", from) - from).trimmed().toLongLong(&ok);
    if (!ok || length > MaxBody)
        refuse(ok ? 413 : 400);
}

void ConnectionGuard::refuse(int status)
{
    m_refused = true;
    const bool tooLarge = status == 413;
    const QByteArray body
        = QStringLiteral("<!DOCTYPE html>\n<html lang=\"it\"><meta charset=\"utf-8\"><title>%1</title>"
                         "<p>%2</p></html>\n")
              .arg(tooLarge ? QStringLiteral("Richiesta troppo grande")
                            : QStringLiteral("Richiesta non valida"),
                   tooLarge ? QStringLiteral("La richiesta supera i 64 KiB e non è stata accettata.")
                            : QStringLiteral("Il sito non ha capito la richiesta."))
              .toUtf8();
    m_socket->write((tooLarge ? "HTTP/1.1 413 Payload Too Large\r\n" : "HTTP/1.1 400 Bad Request\r\n")
                    + QByteArray("Content-Type: text/html; charset=utf-8\r\nConnection: close\r\n"
                                 "Content-Length: ")
                    + QByteArray::number(body.size()) + "\r\n\r\n" + body);
    m_discarded = m_socket->skip(m_socket->bytesAvailable());
    // Once the refusal is out, only the sending half is closed: what the client still sends is
    // swallowed rather than answered with a reset that could destroy the refusal in transit.
    connect(m_socket, &QTcpSocket::bytesWritten, this, &ConnectionGuard::shutDownWhenSent);
    shutDownWhenSent();
    m_idle.setInterval(2000);
    m_idle.start();
}

void ConnectionGuard::shutDownWhenSent()
{
    if (m_socket->bytesToWrite() == 0 && m_socket->socketDescriptor() >= 0)
        ::shutdown(int(m_socket->socketDescriptor()), SHUT_WR);
}

void GuardedTcpServer::incomingConnection(qintptr socketDescriptor)
{
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(socketDescriptor)) {
        delete socket;
        return;
    }
    if (m_open >= MaxConnections) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    ++m_open;
    auto *guard = new ConnectionGuard(socket);
    connect(guard, &QObject::destroyed, this, [this] { --m_open; });
    addPendingConnection(socket);
}

GuardedTcpServer::~GuardedTcpServer()
{
    // The connections go first, while the count they report to still exists.
    qDeleteAll(findChildren<QTcpSocket *>(Qt::FindDirectChildrenOnly));
}
