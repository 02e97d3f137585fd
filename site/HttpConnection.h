#pragma once

#include <QByteArray>
#include <QFile>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QPair>
#include <QTimer>

#include <functional>
#include <memory>

class QTcpSocket;

// One request as read from a client. refusal is 0 for a request read whole; otherwise the status
// to refuse it with (400, 408, 411, 413, 417, 431, 503), and the connection closes after it.
struct HttpRequest {
    QByteArray method;
    QByteArray path;                              // as sent, still percent-encoded, without the query
    QByteArray query;                             // after "?", still encoded
    QList<QPair<QByteArray, QByteArray>> headers; // names in lower case, values trimmed
    QByteArray body;
    int refusal = 0;

    bool headOnly() const { return method == "HEAD"; }
    // The first header of that (lower-case) name; empty when there is none.
    QByteArray header(const QByteArray &name) const;
};

struct HttpLimits {
    qint64 maxHead = 16 * 1024;
    qint64 maxBody = 64 * 1024;
    int maxHeaders = 128;
    // From the moment the connection waits for a request until the request is in, head and body:
    // a client that drips its bytes cannot keep a connection longer than this.
    int requestDeadlineMs = 10000;
    // An answer the client takes nothing of for this long ends the connection.
    int sendStallMs = 30000;
};

// One client connection speaking HTTP/1.1, one request at a time: a request is read whole within
// its deadline, handed to the handler, and the next is read only once its answer has gone out,
// which the client's own pace sets. Pipelined requests are thus answered in order, and what the
// connection holds stays bounded whatever the client does. Deletes itself when done.
class HttpConnection : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(HttpConnection *, const HttpRequest &)>;

    // Takes the connected socket. The handler must answer each request it gets exactly once,
    // at once or later (through a QPointer: the connection may be gone by then).
    HttpConnection(QTcpSocket *socket, const HttpLimits &limits, Handler handler, QObject *parent);

    // The answer to the current request; extraHead holds further header lines, each ending in CRLF.
    void respond(int status, const QByteArray &type, const QByteArray &body,
                 const QByteArray &extraHead = {});
    // The same with an open file as the body, read piece by piece as the client takes it.
    void respondFile(std::unique_ptr<QFile> file, const QByteArray &type, const QByteArray &extraHead = {});
    // Refuses the next request (or the current wait) with the status, then closes.
    void refuse(int status);
    // Drops the connection at once.
    void close();

    QHostAddress peer() const { return m_peer; }
    // Waiting for a request or reading one, rather than answering; since when (ms, monotonic).
    bool isWaiting() const { return m_state == State::Reading; }
    qint64 waitingSince() const { return m_waitingSince; }

signals:
    void finished();

private:
    enum class State { Reading, Handling, Sending, Closing, Closed };

    void onReadyRead();
    void onTimeout();
    void startWaiting();
    void readIn();
    void parse();
    int parseHead(const QByteArray &head);
    void pump();
    void writeHead(int status, const QByteArray &type, qint64 length, const QByteArray &extraHead);
    void startClosing();
    void discardInput();

    QTcpSocket *m_socket;
    HttpLimits m_limits;
    Handler m_handler;
    QHostAddress m_peer;
    QTimer m_timer;
    State m_state = State::Reading;
    qint64 m_waitingSince = 0;

    QByteArray m_in; // read but not yet taken: the current request and any pipelined after it
    bool m_headRead = false;
    HttpRequest m_request;
    qint64 m_length = 0;
    bool m_continue = false;
    bool m_close = false;
    qint64 m_discarded = 0;

    QByteArray m_body;
    qint64 m_bodyAt = 0;
    std::unique_ptr<QFile> m_file;
    off_t m_fileAt = 0;
    qint64 m_fileLeft = 0;
};
