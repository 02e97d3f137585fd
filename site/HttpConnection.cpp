#include "HttpConnection.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QTcpSocket>

#include <cerrno>

#include <sys/sendfile.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A page goes out in pieces this large, the next only once less than a piece waits in the
// socket's own buffer: large enough that the event loop is no bottleneck, small enough that a
// client that reads nothing costs little.
constexpr qint64 Piece = 512 * 1024;
// What a closing connection still swallows of a client's input before giving up on it.
constexpr qint64 MaxDiscarded = 1024 * 1024;
constexpr int LingerMs = 2000;

qint64 now()
{
    return QDeadlineTimer::current().deadline();
}

bool isTokenChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
           || QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool isToken(const QByteArray &text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isTokenChar);
}

QByteArray reason(int status)
{
    switch (status) {
    case 100:
        return "Continue";
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 411:
        return "Length Required";
    case 413:
        return "Payload Too Large";
    case 417:
        return "Expectation Failed";
    case 431:
        return "Request Header Fields Too Large";
    case 503:
        return "Service Unavailable";
    default:
        return "Internal Server Error";
    }
}

} // namespace

QByteArray HttpRequest::header(const QByteArray &name) const
{
    for (const auto &field : headers) {
        if (field.first == name)
            return field.second;
    }
    return {};
}

HttpConnection::HttpConnection(QTcpSocket *socket, const HttpLimits &limits, Handler handler, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_limits(limits)
    , m_handler(std::move(handler))
    , m_peer(socket->peerAddress())
{
    m_socket->setParent(this);
    // What the kernel holds beyond this stays there: a client sending faster than it is
    // answered is slowed down by TCP itself.
    m_socket->setReadBufferSize(m_limits.maxHead + m_limits.maxBody);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &HttpConnection::onTimeout);
    connect(m_socket, &QTcpSocket::readyRead, this, &HttpConnection::onReadyRead);
    connect(m_socket, &QTcpSocket::bytesWritten, this, [this] {
        if (m_state == State::Sending) {
            m_timer.start(m_limits.sendStallMs);
            pump();
        }
    });
    connect(m_socket, &QTcpSocket::disconnected, this, &HttpConnection::close);
    startWaiting();
}

void HttpConnection::startWaiting()
{
    m_state = State::Reading;
    m_waitingSince = now();
    m_timer.start(m_limits.requestDeadlineMs);
    m_headRead = false;
    m_request = HttpRequest();
    m_length = 0;
    m_continue = false;
    parse();
}

void HttpConnection::onReadyRead()
{
    if (m_state == State::Reading)
        parse();
    else if (m_state == State::Closing)
        discardInput();
    // Otherwise an answer is on its way: the next request waits in the socket until it is out.
}

void HttpConnection::readIn()
{
    const qint64 room = m_limits.maxHead + m_limits.maxBody - m_in.size();
    if (room > 0 && m_socket->bytesAvailable() > 0)
        m_in += m_socket->read(room);
}

void HttpConnection::parse()
{
    readIn();
    if (!m_headRead) {
        // Blank lines between requests are allowed.
        qsizetype skip = 0;
        while (m_in.mid(skip, 2) == "\r\n")
            skip += 2;
        m_in.remove(0, skip);
        const qsizetype end = m_in.indexOf("\r\n\r\n");
        if (end < 0 || end + 4 > m_limits.maxHead) {
            // A first line that is no request (or ends in a bare LF) is refused at once.
            const qsizetype lineEnd = m_in.indexOf('\n');
            if (lineEnd >= 0 && end < 0 && parseHead(m_in.left(lineEnd + 1)) == 400)
                return refuse(400);
            if (end >= 0 || m_in.size() >= m_limits.maxHead)
                refuse(431);
            return;
        }
        m_request = HttpRequest();
        if (const int refusal = parseHead(m_in.left(end + 2)))
            return refuse(refusal);
        m_in.remove(0, end + 4);
        m_headRead = true;
        if (m_continue && m_in.size() < m_length)
            m_socket->write("HTTP/1.1 100 Continue\r\n\r\n");
    }
    if (m_in.size() < m_length)
        return;
    m_request.body = m_in.left(m_length);
    m_in.remove(0, m_length);
    m_state = State::Handling;
    m_timer.stop();
    m_handler(this, m_request);
}

// Reads a request line and its header lines (each ending in CRLF) into m_request. Returns 0, or
// the status to refuse the request with. A lone request line is checked as far as it goes.
int HttpConnection::parseHead(const QByteArray &head)
{
    QList<QByteArray> lines = head.split('\n');
    lines.removeLast(); // after the last line's LF
    for (QByteArray &line : lines) {
        if (!line.endsWith('\r'))
            return 400;
        line.chop(1);
    }
    const QList<QByteArray> parts = lines.first().split(' ');
    if (parts.size() != 3 || parts[0].size() > 16 || !isToken(parts[0]) || !parts[1].startsWith('/')
        || (parts[2] != "HTTP/1.1" && parts[2] != "HTTP/1.0"))
        return 400;
    for (const char c : parts[1]) {
        if (c <= ' ' || c >= 0x7F || c == '#')
            return 400;
    }
    m_request.method = parts[0];
    const qsizetype question = parts[1].indexOf('?');
    m_request.path = question < 0 ? parts[1] : parts[1].left(question);
    m_request.query = question < 0 ? QByteArray() : parts[1].mid(question + 1);
    m_close = parts[2] == "HTTP/1.0"; // kept open only for HTTP/1.1
    if (lines.size() - 1 > m_limits.maxHeaders)
        return 431;
    bool haveLength = false;
    for (qsizetype k = 1; k < lines.size(); ++k) {
        const QByteArray &line = lines[k];
        const qsizetype colon = line.indexOf(':');
        // No blank before the colon, no folded continuation lines, no control characters.
        if (colon <= 0 || !isToken(line.left(colon)))
            return 400;
        const QByteArray value = line.mid(colon + 1).trimmed();
        for (const char c : value) {
            if ((c >= 0 && c < ' ' && c != '\t') || c == 0x7F)
                return 400;
        }
        const QByteArray name = line.left(colon).toLower();
        m_request.headers.append({name, value});
        if (name == "content-length") {
            bool ok = !haveLength && !value.isEmpty() && value.size() <= 18
                      && std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
            if (!ok)
                return 400;
            haveLength = true;
            m_length = value.toLongLong();
        } else if (name == "transfer-encoding") {
            return 411;
        } else if (name == "expect") {
            if (value.toLower() != "100-continue")
                return 417;
            m_continue = parts[2] == "HTTP/1.1";
        } else if (name == "connection") {
            for (const QByteArray &option : value.split(',')) {
                if (option.trimmed().toLower() == "close")
                    m_close = true;
            }
        }
    }
    return m_length > m_limits.maxBody ? 413 : 0;
}

void HttpConnection::refuse(int status)
{
    if (m_state != State::Reading)
        return;
    m_close = true;
    m_in.clear();
    m_state = State::Handling;
    m_timer.stop();
    HttpRequest refused;
    refused.refusal = status;
    m_handler(this, refused);
}

void HttpConnection::writeHead(int status, const QByteArray &type, qint64 length, const QByteArray &extraHead)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    head += "Content-Type: " + type + "\r\nContent-Length: " + QByteArray::number(length) + "\r\n";
    head += extraHead;
    if (m_close)
        head += "Connection: close\r\n";
    m_socket->write(head + "\r\n");
}

void HttpConnection::respond(int status, const QByteArray &type, const QByteArray &body,
                             const QByteArray &extraHead)
{
    if (m_state != State::Handling)
        return;
    writeHead(status, type, body.size(), extraHead);
    if (!m_request.headOnly())
        m_body = body;
    m_bodyAt = 0;
    m_state = State::Sending;
    m_timer.start(m_limits.sendStallMs);
    pump();
}

void HttpConnection::respondFile(std::unique_ptr<QFile> file, const QByteArray &type,
                                 const QByteArray &extraHead)
{
    if (m_state != State::Handling)
        return;
    writeHead(200, type, file->size(), extraHead);
    m_fileLeft = m_request.headOnly() ? 0 : file->size();
    m_fileAt = 0;
    if (m_fileLeft > 0)
        m_file = std::move(file);
    m_state = State::Sending;
    m_timer.start(m_limits.sendStallMs);
    pump();
}

void HttpConnection::pump()
{
    if (m_socket->bytesToWrite() >= Piece)
        return;
    if (m_bodyAt < m_body.size()) {
        const qint64 n = qMin(Piece, m_body.size() - m_bodyAt);
        m_socket->write(m_body.constData() + m_bodyAt, n);
        m_bodyAt += n;
        return;
    }
    if (m_file) {
        // Straight from the file to the socket by the kernel, once what the socket holds (the
        // head) is out: no copy in memory, and the event loop never waits.
        if (m_socket->bytesToWrite() > 0)
            return;
        const int out = int(m_socket->socketDescriptor());
        while (m_fileLeft > 0) {
            const ssize_t sent
                = ::sendfile(out, m_file->handle(), &m_fileAt, size_t(qMin<qint64>(m_fileLeft, 1 << 30)));
            if (sent > 0) {
                m_fileLeft -= sent;
            } else if (sent < 0 && errno == EAGAIN) {
                // The socket is full. One byte through the socket's own buffer goes out once it
                // can take more, and the bytesWritten that follows brings us back here.
                char byte = 0;
                if (::pread(m_file->handle(), &byte, 1, m_fileAt) != 1)
                    return close();
                m_socket->write(&byte, 1);
                ++m_fileAt;
                --m_fileLeft;
                return;
            } else if (sent < 0 && errno == EINTR) {
                continue;
            } else {
                // The file shrank or failed under us, or the client went: the client sees a short
                // body and the connection closes, which it can tell from a complete one.
                return close();
            }
        }
        m_file.reset();
    }
    if (m_socket->bytesToWrite() > 0)
        return;
    // All of the answer is out.
    m_body.clear();
    if (m_close)
        startClosing();
    else
        startWaiting();
}

// Once the last answer is out, only the sending half is closed: what the client still sends is
// swallowed rather than answered with a reset that could destroy the answer in transit.
void HttpConnection::startClosing()
{
    m_state = State::Closing;
    m_timer.start(LingerMs);
    if (m_socket->socketDescriptor() >= 0)
        ::shutdown(int(m_socket->socketDescriptor()), SHUT_WR);
    discardInput();
}

void HttpConnection::discardInput()
{
    m_in.clear();
    m_discarded += m_socket->skip(m_socket->bytesAvailable());
    if (m_discarded > MaxDiscarded)
        close();
}

void HttpConnection::onTimeout()
{
    if (m_state == State::Reading && (m_headRead || !m_in.isEmpty()))
        refuse(408); // a request begun and not finished in time
    else
        close(); // an idle connection, a client that takes nothing, or a closing one
}

void HttpConnection::close()
{
    if (m_state == State::Closed)
        return;
    m_state = State::Closed;
    m_timer.stop();
    m_file.reset();
    m_body.clear();
    m_socket->disconnect(this);
    m_socket->abort();
    emit finished();
    deleteLater();
}
