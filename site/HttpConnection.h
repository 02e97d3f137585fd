#pragma once

#include "HttpParser.h"

#include <QByteArray>
#include <QFile>
#include <QHostAddress>
#include <QObject>
#include <QSocketNotifier>
#include <QTimer>

#include <functional>
#include <memory>

struct HttpLimits {
    HttpBounds bounds;
    // From the moment the connection waits for a request until the request is in, head and body:
    // a client that drips its bytes cannot keep a connection longer than this.
    int requestDeadlineMs = 10000;
    // An answer the client takes nothing of for this long ends the connection.
    int sendStallMs = 30000;
    // How long an answer goes out before its client's pace counts: a download's first seconds
    // say little, as the buffers on the way fill at any pace.
    int slowReaderMs = 3000;
    int maxConnections = 256;
    int perAddress = 32;
};

// The head of an answer: status line, Date, type and length, extraHead (header lines ending in
// CRLF) and the blank line.
QByteArray httpAnswerHead(int status, const QByteArray &type, qint64 length, const QByteArray &extraHead);

// One client connection speaking HTTP/1.1 on a socket of its own, one request at a time: a
// request is read whole within its deadline, waits for its turn (requestReady, then serve()),
// goes to the handler, and the next is read only once its answer has gone out, which the
// client's own pace sets. Pipelined requests are thus answered in order, and what the connection
// holds stays bounded whatever the client does. A client that stops sending (half-closes) still
// gets the answers to every request it sent whole. Deletes itself when done.
class HttpConnection : public QObject
{
    Q_OBJECT

public:
    using Handler = std::function<void(HttpConnection *, const HttpRequest &)>;
    // Where a connection stands, in the order the listener gives places up.
    enum class Phase { Closing, Waiting, Sending, Queued, Handling };

    // Takes a connected non-blocking socket, and closes it when done. The handler must answer
    // each request it gets exactly once, at once or later (through a QPointer: the connection may
    // be gone by then).
    HttpConnection(int socket, const QHostAddress &peer, const HttpLimits &limits, Handler handler,
                   QObject *parent);
    ~HttpConnection() override;

    // The answer to the current request; extraHead holds further header lines, each ending in CRLF.
    void respond(int status, const QByteArray &type, const QByteArray &body,
                 const QByteArray &extraHead = {});
    // The same with an open file as the body: a small one goes out with the head, a larger one
    // straight from the file as the client takes it.
    void respondFile(std::unique_ptr<QFile> file, const QByteArray &type, const QByteArray &extraHead = {});
    // Hands the request read whole to the handler: its turn has come.
    void serve();
    // Drops the connection at once, resetting it.
    void close();

    QHostAddress peer() const { return m_peer; }
    Phase phase() const;
    // When the phase began (ms, monotonic).
    qint64 phaseSince() const { return m_since; }
    // Bytes a second the client has taken of the answer going out since it began; -1 while none
    // goes out, or not for slowReaderMs yet.
    double takingRate() const;

signals:
    // A request read whole (or refused) waits for serve().
    void requestReady();
    void finished();

private:
    enum class State { Reading, Queued, Handling, Sending, Closing, Closed };

    void onReadable();
    void onTimeout();
    void startWaiting();
    bool readIn();
    void parse();
    void refuse(int status);
    void queue();
    void startSending(const QByteArray &head);
    void pump();
    void startClosing();
    void discardInput();
    bool wantsInput() const;
    void end(bool reset);
    qint64 unsent() const;

    int m_socket;
    QHostAddress m_peer;
    HttpLimits m_limits;
    Handler m_handler;
    QSocketNotifier m_readable;
    QSocketNotifier m_writable;
    QTimer m_timer;
    State m_state = State::Reading;
    qint64 m_since = 0;
    bool m_ended = false; // the client sends no more

    QByteArray m_in; // read but not yet taken: the current request and any pipelined after it
    bool m_headRead = false;
    HttpRequest m_request;
    qint64 m_bodyLength = 0;
    bool m_keepAlive = false;
    bool m_sayKeepAlive = false; // an HTTP/1.0 client keeps the connection only when told so
    qint64 m_discarded = 0;

    QByteArray m_interim; // of a "100 Continue" the socket could not take at once
    QByteArray m_head;
    qint64 m_headAt = 0;
    QByteArray m_body;
    qint64 m_bodyAt = 0;
    std::unique_ptr<QFile> m_file;
    off_t m_fileAt = 0;
    qint64 m_fileLeft = 0;
    qint64 m_answerSince = 0;
    qint64 m_handedOver = 0; // bytes of the last answer the kernel has taken
};
