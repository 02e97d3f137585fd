#include "HttpConnection.h"

#include <QDateTime>
#include <QDeadlineTimer>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <utility>

#include <linux/sockios.h>
#include <sys/ioctl.h>
#include <sys/sendfile.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

// Files up to this size go out with their head in one write; larger ones by sendfile, so a
// client that reads slowly costs no memory for them.
constexpr qint64 SmallFile = 16 * 1024;
// What a closing connection still swallows of a client's input before giving up on it.
constexpr qint64 MaxDiscarded = 1024 * 1024;
constexpr int LingerMs = 2000;

qint64 now()
{
    return QDeadlineTimer::current().deadline();
}

// The Date field's value, "Sun, 06 Nov 1994 08:49:37 GMT": English names whatever the locale.
QByteArray httpDate()
{
    static qint64 second = -1;
    static QByteArray text;
    const qint64 current = QDateTime::currentSecsSinceEpoch();
    if (current != second) {
        static const char *const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        static const char *const months[]
            = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        const time_t t = time_t(current);
        tm utc {};
        gmtime_r(&t, &utc);
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%s, %02d %s %04d %02d:%02d:%02d GMT", days[utc.tm_wday],
                      utc.tm_mday, months[utc.tm_mon], utc.tm_year + 1900, utc.tm_hour, utc.tm_min,
                      utc.tm_sec);
        text = buffer;
        second = current;
    }
    return text;
}

QByteArray reason(int status)
{
    switch (status) {
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

QByteArray httpAnswerHead(int status, const QByteArray &type, qint64 length, const QByteArray &extraHead)
{
    return "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\nDate: " + httpDate()
           + "\r\nContent-Type: " + type + "\r\nContent-Length: " + QByteArray::number(length) + "\r\n"
           + extraHead + "\r\n";
}

HttpConnection::HttpConnection(int socket, const QHostAddress &peer, const HttpLimits &limits,
                               Handler handler, QObject *parent)
    : QObject(parent)
    , m_socket(socket)
    , m_peer(peer)
    , m_limits(limits)
    , m_handler(std::move(handler))
    , m_readable(socket, QSocketNotifier::Read)
    , m_writable(socket, QSocketNotifier::Write)
{
    m_writable.setEnabled(false);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &HttpConnection::onTimeout);
    connect(&m_readable, &QSocketNotifier::activated, this, &HttpConnection::onReadable);
    connect(&m_writable, &QSocketNotifier::activated, this, &HttpConnection::pump);
    startWaiting();
}

HttpConnection::~HttpConnection()
{
    if (m_state != State::Closed) {
        m_readable.setEnabled(false);
        m_writable.setEnabled(false);
        ::close(m_socket);
    }
}

// An answer the kernel still holds, not yet taken by the client, is still going out.
HttpConnection::Phase HttpConnection::phase() const
{
    switch (m_state) {
    case State::Reading:
        return unsent() > 0 ? Phase::Sending : Phase::Waiting;
    case State::Queued:
        return Phase::Queued;
    case State::Sending:
        return Phase::Sending;
    case State::Closing:
    case State::Closed:
        return unsent() > 0 ? Phase::Sending : Phase::Closing;
    case State::Handling:
        break;
    }
    return Phase::Handling;
}

qint64 HttpConnection::unsent() const
{
    int bytes = 0;
    return ::ioctl(m_socket, SIOCOUTQ, &bytes) == 0 ? bytes : 0;
}

double HttpConnection::takingRate() const
{
    const qint64 elapsed = now() - m_answerSince;
    if (elapsed < m_limits.slowReaderMs || phase() != Phase::Sending)
        return -1;
    return qMax<qint64>(0, m_handedOver - unsent()) * 1000.0 / double(elapsed);
}

void HttpConnection::startWaiting()
{
    m_state = State::Reading;
    m_since = now();
    m_timer.start(m_limits.requestDeadlineMs);
    m_headRead = false;
    m_request = HttpRequest();
    m_bodyLength = 0;
    m_keepAlive = false;
    m_sayKeepAlive = false;
    m_readable.setEnabled(wantsInput());
    parse();
}

// Reading only while a request is wanted: what a client sends beyond that waits in the kernel,
// and TCP slows the client down. The notifier is turned off only once the client sends out of
// turn, so a client that waits for each answer costs no change of it.
bool HttpConnection::wantsInput() const
{
    const qint64 room = m_limits.bounds.maxHead + m_limits.bounds.maxBody - m_in.size();
    return !m_ended && ((m_state == State::Reading && room > 0) || m_state == State::Closing);
}

void HttpConnection::onReadable()
{
    if (!wantsInput())
        return m_readable.setEnabled(false);
    if (m_state == State::Closing)
        return discardInput();
    if (readIn())
        parse();
}

// Reads what the socket holds, up to the room for one request. False when the connection broke.
bool HttpConnection::readIn()
{
    char buffer[16 * 1024];
    for (;;) {
        const qint64 room = m_limits.bounds.maxHead + m_limits.bounds.maxBody - m_in.size();
        if (room <= 0)
            break;
        const qint64 wanted = qMin<qint64>(room, sizeof buffer);
        const ssize_t n = ::recv(m_socket, buffer, size_t(wanted), 0);
        if (n > 0) {
            m_in.append(buffer, n);
            if (n < wanted)
                break;
        } else if (n == 0) {
            m_ended = true;
            m_readable.setEnabled(false);
            break;
        } else if (errno != EINTR) {
            if (errno == EAGAIN || errno == EWOULDBLOCK)
                break;
            end(true);
            return false;
        }
    }
    return true;
}

void HttpConnection::parse()
{
    if (m_state != State::Reading)
        return;
    if (!m_headRead) {
        const HttpHead head = readHttpHead(m_in, m_limits.bounds);
        if (head.state == HttpHead::State::Refused)
            return refuse(head.request.refusal);
        if (head.state == HttpHead::State::Incomplete) {
            // A client that stopped sending has had every whole request answered.
            if (m_ended)
                end(false);
            return;
        }
        m_request = head.request;
        m_bodyLength = head.bodyLength;
        m_keepAlive = head.keepAlive;
        m_sayKeepAlive = head.keepAlive && head.minor == 0;
        m_in.remove(0, head.size);
        m_headRead = true;
        if (head.expectContinue && m_in.size() < m_bodyLength) {
            // What the socket cannot take at once goes out before the answer, never cut in two.
            static const QByteArray Continue = "HTTP/1.1 100 Continue\r\n\r\n";
            const ssize_t n = ::send(m_socket, Continue.constData(), size_t(Continue.size()), MSG_NOSIGNAL);
            if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)
                return end(true);
            m_interim = Continue.mid(qMax<ssize_t>(n, 0));
        }
    }
    if (m_in.size() < m_bodyLength) {
        if (m_ended)
            end(false);
        return;
    }
    m_request.body = m_in.left(m_bodyLength);
    m_in.remove(0, m_bodyLength);
    queue();
}

void HttpConnection::refuse(int status)
{
    m_request = HttpRequest();
    m_request.refusal = status;
    m_keepAlive = false;
    m_sayKeepAlive = false;
    m_in.clear();
    queue();
}

void HttpConnection::queue()
{
    m_state = State::Queued;
    m_since = now();
    m_timer.stop();
    emit requestReady();
}

void HttpConnection::serve()
{
    if (m_state != State::Queued)
        return;
    m_state = State::Handling;
    m_since = now();
    m_handler(this, m_request);
}

void HttpConnection::respond(int status, const QByteArray &type, const QByteArray &body,
                             const QByteArray &extraHead)
{
    if (m_state != State::Handling)
        return;
    if (!m_request.headOnly())
        m_body = body;
    startSending(httpAnswerHead(status, type, body.size(), extraHead));
}

void HttpConnection::respondFile(std::unique_ptr<QFile> file, const QByteArray &type,
                                 const QByteArray &extraHead)
{
    if (m_state != State::Handling)
        return;
    const qint64 size = file->size();
    if (!m_request.headOnly() && size <= SmallFile) {
        m_body = file->read(size);
        // A file that shrank under us: the client sees the connection close without an answer.
        if (m_body.size() != size)
            return end(true);
    } else if (!m_request.headOnly()) {
        m_file = std::move(file);
        m_fileLeft = size;
        m_fileAt = 0;
    }
    startSending(httpAnswerHead(200, type, size, extraHead));
}

void HttpConnection::startSending(const QByteArray &head)
{
    m_head = std::exchange(m_interim, {}) + head;
    if (!m_keepAlive)
        m_head.insert(m_head.size() - 2, "Connection: close\r\n");
    else if (m_sayKeepAlive)
        m_head.insert(m_head.size() - 2, "Connection: keep-alive\r\n");
    m_headAt = 0;
    m_bodyAt = 0;
    m_handedOver = 0;
    m_state = State::Sending;
    m_since = now();
    m_answerSince = m_since;
    m_timer.start(m_limits.sendStallMs);
    pump();
}

void HttpConnection::pump()
{
    if (m_state != State::Sending)
        return;
    bool moved = false;
    for (;;) {
        ssize_t n = 0;
        if (m_headAt < m_head.size() || m_bodyAt < m_body.size()) {
            // Head and body in one write, so a small answer is one segment; a file to follow
            // joins the head's segment (MSG_MORE).
            iovec parts[2]
                = {{const_cast<char *>(m_head.constData()) + m_headAt, size_t(m_head.size() - m_headAt)},
                   {const_cast<char *>(m_body.constData()) + m_bodyAt, size_t(m_body.size() - m_bodyAt)}};
            msghdr message {};
            message.msg_iov = parts;
            message.msg_iovlen = 2;
            n = ::sendmsg(m_socket, &message, MSG_NOSIGNAL | (m_fileLeft > 0 ? MSG_MORE : 0));
            if (n > 0) {
                const qint64 fromHead = qMin<qint64>(n, m_head.size() - m_headAt);
                m_headAt += fromHead;
                m_bodyAt += n - fromHead;
            }
        } else if (m_fileLeft > 0) {
            // Straight from the file to the socket by the kernel: no copy in memory.
            n = ::sendfile(m_socket, m_file->handle(), &m_fileAt, size_t(qMin<qint64>(m_fileLeft, 1 << 30)));
            if (n > 0)
                m_fileLeft -= n;
            else if (n == 0)
                return end(true); // the file shrank under us: the client sees a short body
        } else {
            break;
        }
        if (n > 0) {
            m_handedOver += n;
            moved = true;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // The socket is full: on again once the client has taken some.
            m_writable.setEnabled(true);
            if (moved)
                m_timer.start(m_limits.sendStallMs);
            return;
        } else if (errno != EINTR) {
            return end(true); // the client went
        }
    }
    // All of the answer is with the kernel.
    m_writable.setEnabled(false);
    m_head.clear();
    m_body.clear();
    m_file.reset();
    if (m_keepAlive)
        startWaiting();
    else
        startClosing();
}

// Once the last answer is out, only the sending half is closed: what the client still sends is
// swallowed rather than answered with a reset that could destroy the answer in transit.
void HttpConnection::startClosing()
{
    m_state = State::Closing;
    m_since = now();
    m_in.clear();
    if (m_ended)
        return end(false);
    m_timer.start(LingerMs);
    ::shutdown(m_socket, SHUT_WR);
    m_readable.setEnabled(true);
    discardInput();
}

void HttpConnection::discardInput()
{
    char buffer[16 * 1024];
    for (;;) {
        const ssize_t n = ::recv(m_socket, buffer, sizeof buffer, 0);
        if (n == 0)
            return end(false); // the client has closed as well
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno == EAGAIN || errno == EWOULDBLOCK ? void() : end(true);
        m_discarded += n;
        if (m_discarded > MaxDiscarded)
            return end(true);
    }
}

void HttpConnection::onTimeout()
{
    if (m_state == State::Reading && (m_headRead || !m_in.isEmpty()))
        refuse(408); // a request begun and not finished in time
    else
        end(m_state == State::Sending); // an idle connection, a closing one, or a client that takes nothing
}

void HttpConnection::close()
{
    end(true);
}

// A reset frees at once what the kernel still holds for a client that is not taking it.
void HttpConnection::end(bool reset)
{
    if (m_state == State::Closed)
        return;
    m_state = State::Closed;
    m_timer.stop();
    m_readable.setEnabled(false);
    m_writable.setEnabled(false);
    if (reset) {
        const linger now {1, 0};
        ::setsockopt(m_socket, SOL_SOCKET, SO_LINGER, &now, sizeof now);
    }
    ::close(m_socket);
    m_file.reset();
    m_head.clear();
    m_body.clear();
    m_in.clear();
    emit finished();
    deleteLater();
}
