#include "content/HttpFetch.h"

#include <QTcpSocket>
#if QT_CONFIG(ssl)
#include <QSslSocket>
#endif

#include <algorithm>

namespace {
// What the socket may hold unread, and what one read takes.
constexpr qint64 SocketBuffer = 256 * 1024;
constexpr qint64 ReadChunk = 64 * 1024;
constexpr int MaxChunkLine = 4096;

bool isTokenChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
           || QByteArray("!#$%&'*+-.^_`|~").contains(c);
}

// Where the head at the start of `bytes` ends (after its blank line); -1 while it has not.
qsizetype headEnd(const QByteArray &bytes)
{
    const qsizetype crlf = bytes.indexOf("\n\r\n");
    const qsizetype lf = bytes.indexOf("\n\n");
    if (crlf < 0)
        return lf < 0 ? -1 : lf + 2;
    return lf < 0 || crlf < lf ? crlf + 3 : lf + 2;
}

QByteArray withoutCr(QByteArray line)
{
    if (line.endsWith('\r'))
        line.chop(1);
    return line;
}

// A name from the server as a message may quote it: letters, digits and a few signs, kept short.
QString plainWord(const QByteArray &text)
{
    QByteArray word;
    for (const char c : text.trimmed().left(40)) {
        if (isTokenChar(c) || c == ' ' || c == ',')
            word += c;
    }
    return QString::fromLatin1(word);
}

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}
} // namespace

std::optional<QByteArray> HttpFetch::Head::field(const QByteArray &lowerName) const
{
    std::optional<QByteArray> joined;
    for (const auto &[name, value] : fields) {
        if (name != lowerName)
            continue;
        joined = joined ? *joined + ", " + value : value;
    }
    return joined;
}

HttpFetch::HttpFetch(QObject *parent)
    : QObject(parent)
{ }

HttpFetch::~HttpFetch()
{
    dropSocket();
}

void HttpFetch::get(const QUrl &url)
{
    abort();
    m_redirects = 0;
    m_read = 0;
    m_failure = Failure::None;
    m_detail.clear();
    connectTo(url);
}

void HttpFetch::abort()
{
    ++m_generation;
    m_phase = Phase::Idle;
    m_pending.clear();
    dropSocket();
}

void HttpFetch::connectTo(const QUrl &url)
{
    dropSocket();
    ++m_generation;
    m_url = url;
    m_phase = Phase::Head;
    m_head = Head();
    m_pending.clear();
    m_headBytes = 0;
    const bool secure = url.scheme() == QLatin1String("https");
    if (secure) {
#if QT_CONFIG(ssl)
        if (QSslSocket::supportsSsl()) {
            auto *socket = new QSslSocket(this);
            connect(socket, &QSslSocket::encrypted, this, &HttpFetch::sendRequest);
            m_socket = socket;
        }
#endif
        if (!m_socket) {
            failLater(Failure::Secure);
            return;
        }
    } else {
        m_socket = new QTcpSocket(this);
        connect(m_socket, &QTcpSocket::connected, this, &HttpFetch::sendRequest);
    }
    m_socket->setReadBufferSize(SocketBuffer);
    connect(m_socket, &QTcpSocket::readyRead, this, &HttpFetch::readSome);
    connect(m_socket, &QTcpSocket::disconnected, this, &HttpFetch::closed);
    connect(m_socket, &QTcpSocket::errorOccurred, this,
            [this](QAbstractSocket::SocketError error) { socketFailed(error); });
    const quint16 port = quint16(url.port(secure ? 443 : 80));
#if QT_CONFIG(ssl)
    if (auto *socket = qobject_cast<QSslSocket *>(m_socket.data())) {
        socket->connectToHostEncrypted(url.host(), port);
        return;
    }
#endif
    m_socket->connectToHost(url.host(), port);
}

void HttpFetch::sendRequest()
{
    QByteArray host = m_url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    if (m_url.port() != -1)
        host += ':' + QByteArray::number(m_url.port());
    QByteArray target = m_url.path(QUrl::FullyEncoded).toLatin1();
    if (target.isEmpty())
        target = "/";
    if (m_url.hasQuery())
        target += '?' + m_url.query(QUrl::FullyEncoded).toLatin1();
    // One request to a connection, and the bytes as they are stored: nothing to decode, nothing
    // to inflate.
    m_socket->write("GET " + target + " HTTP/1.1\r\nHost: " + host
                    + "\r\nUser-Agent: LumivoPro\r\nAccept-Encoding: identity\r\nConnection: close\r\n\r\n");
}

void HttpFetch::readSome()
{
    const quint64 generation = m_generation;
    while (m_socket && generation == m_generation && m_socket->bytesAvailable() > 0) {
        const QByteArray bytes = m_socket->read(ReadChunk);
        m_read += bytes.size();
        emit activity();
        if (generation != m_generation || !consume(bytes))
            return;
    }
}

bool HttpFetch::consume(const QByteArray &bytes)
{
    m_pending += bytes;
    const quint64 generation = m_generation;
    while (generation == m_generation) {
        switch (m_phase) {
        case Phase::Head: {
            const qsizetype end = headEnd(m_pending);
            if (m_headBytes + (end < 0 ? m_pending.size() : end) > MaxHead) {
                fail(Failure::HeadTooLarge);
                return false;
            }
            if (end < 0)
                return true;
            m_headBytes += end;
            const QByteArray text = m_pending.left(end);
            m_pending.remove(0, end);
            headEnded(text);
            break;
        }
        case Phase::Body:
        case Phase::ChunkData: {
            if (m_pending.isEmpty())
                return true;
            const qsizetype size
                = m_remaining < 0 ? m_pending.size() : qsizetype(qMin<qint64>(m_remaining, m_pending.size()));
            if (!deliver(m_pending.left(size)))
                return false;
            m_pending.remove(0, size);
            if (m_remaining > 0)
                m_remaining -= size;
            if (m_remaining == 0) {
                if (m_phase == Phase::Body)
                    succeed();
                else
                    m_phase = Phase::ChunkEnd;
            }
            break;
        }
        case Phase::ChunkSize:
        case Phase::ChunkEnd:
        case Phase::Trailer: {
            const qsizetype limit = m_phase == Phase::Trailer ? MaxHead - m_headBytes : MaxChunkLine;
            const qsizetype newline = m_pending.indexOf('\n');
            if ((newline < 0 ? m_pending.size() : newline + 1) > limit) {
                fail(m_phase == Phase::Trailer ? Failure::HeadTooLarge : Failure::Malformed);
                return false;
            }
            if (newline < 0)
                return true;
            const QByteArray line = withoutCr(m_pending.left(newline));
            m_pending.remove(0, newline + 1);
            if (m_phase == Phase::ChunkEnd) {
                if (line.isEmpty())
                    m_phase = Phase::ChunkSize;
                else
                    fail(Failure::Malformed);
            } else if (m_phase == Phase::Trailer) {
                m_headBytes += newline + 1;
                if (line.isEmpty())
                    succeed();
            } else {
                const QByteArray digits = line.split(';').first().trimmed(); // an extension may follow
                bool ok = !digits.isEmpty() && digits.size() <= 12;
                m_remaining = ok ? digits.toLongLong(&ok, 16) : 0;
                if (!ok || m_remaining < 0)
                    fail(Failure::Malformed);
                else
                    m_phase = m_remaining == 0 ? Phase::Trailer : Phase::ChunkData;
            }
            break;
        }
        case Phase::Idle:
        case Phase::Done:
            return false;
        }
    }
    return false;
}

bool HttpFetch::deliver(const QByteArray &bytes)
{
    const quint64 generation = m_generation;
    emit bodyArrived(bytes);
    return generation == m_generation;
}

bool HttpFetch::headEnded(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    while (!lines.isEmpty() && withoutCr(lines.last()).isEmpty())
        lines.removeLast();
    const QByteArray statusLine = withoutCr(lines.value(0));
    const QByteArray code = statusLine.mid(9, 3);
    if (!statusLine.startsWith("HTTP/1.") || statusLine.size() < 12 || statusLine.at(8) != ' '
        || !std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; })
        || (statusLine.size() > 12 && statusLine.at(12) != ' ')) {
        fail(Failure::Malformed);
        return false;
    }
    Head head;
    head.status = code.toInt();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray line = withoutCr(lines[i]);
        const qsizetype colon = line.indexOf(':');
        if ((line.startsWith(' ') || line.startsWith('\t')) && !head.fields.isEmpty()) {
            // A value folded onto the next line, as old servers write it.
            head.fields.last().second += ' ' + line.trimmed();
            continue;
        }
        const QByteArray name = line.left(colon);
        if (colon <= 0 || !std::all_of(name.begin(), name.end(), isTokenChar)) {
            fail(Failure::Malformed);
            return false;
        }
        head.fields.append({name.toLower(), line.mid(colon + 1).trimmed()});
    }
    if (head.status < 200) {
        // An interim answer (100 Continue…): the real one follows, within the same bound.
        if (head.status == 101)
            fail(Failure::Malformed);
        return head.status != 101;
    }
    const std::optional<QByteArray> location = head.field("location");
    if (isRedirect(head.status) && location) {
        if (++m_redirects > MaxRedirects) {
            fail(Failure::TooManyRedirects);
            return false;
        }
        const QUrl target = m_url.resolved(QUrl::fromEncoded(location->trimmed()));
        const QString scheme = target.scheme();
        if ((scheme != QLatin1String("http") && scheme != QLatin1String("https"))
            || target.host().isEmpty()) {
            fail(Failure::RedirectRefused, plainWord(scheme.toLatin1()));
            return false;
        }
        if (m_url.scheme() == QLatin1String("https") && scheme == QLatin1String("http")) {
            fail(Failure::RedirectInsecure);
            return false;
        }
        connectTo(target);
        return false;
    }
    const QByteArray coding = head.field("content-encoding").value_or(QByteArray()).trimmed().toLower();
    const std::optional<QByteArray> transfer = head.field("transfer-encoding");
    const bool chunked = transfer && transfer->trimmed().toLower() == "chunked";
    if ((!coding.isEmpty() && coding != "identity") || (transfer && !chunked)) {
        fail(Failure::Encoded, plainWord(coding.isEmpty() ? *transfer : coding));
        return false;
    }
    if (const std::optional<QByteArray> length = head.field("content-length"); length && !chunked) {
        // Repeated, a length must be the same each time.
        const QList<QByteArray> values = length->split(',');
        const QByteArray first = values.first().trimmed();
        bool ok = !first.isEmpty() && first.size() <= 15
                  && std::all_of(first.begin(), first.end(), [](char c) { return c >= '0' && c <= '9'; });
        for (const QByteArray &value : values)
            ok = ok && value.trimmed() == first;
        if (!ok) {
            fail(Failure::Malformed);
            return false;
        }
        head.length = first.toLongLong();
    }
    m_head = head;
    const quint64 generation = m_generation;
    emit headArrived();
    if (generation != m_generation)
        return false;
    if (head.status == 204 || head.status == 304) {
        succeed();
        return false;
    }
    m_remaining = chunked ? 0 : head.length;
    m_phase = chunked ? Phase::ChunkSize : Phase::Body;
    if (m_remaining == 0 && !chunked) {
        succeed();
        return false;
    }
    return true;
}

void HttpFetch::closed()
{
    const quint64 generation = m_generation;
    readSome();
    if (generation != m_generation)
        return;
    if (m_phase == Phase::Body && m_remaining < 0)
        succeed(); // a body without a length ends with its connection
    else
        fail(m_phase == Phase::Head ? Failure::Closed : Failure::Cut);
}

void HttpFetch::socketFailed(int error)
{
    switch (QAbstractSocket::SocketError(error)) {
    case QAbstractSocket::RemoteHostClosedError:
        return; // closed() tells whether the answer was whole
    case QAbstractSocket::ConnectionRefusedError:
        fail(Failure::Refused);
        return;
    case QAbstractSocket::HostNotFoundError:
        fail(Failure::HostNotFound);
        return;
    case QAbstractSocket::SslHandshakeFailedError:
    case QAbstractSocket::SslInternalError:
    case QAbstractSocket::SslInvalidUserDataError:
        fail(Failure::Secure);
        return;
    default:
        fail(Failure::Network, QString::number(error));
        return;
    }
}

void HttpFetch::succeed()
{
    fail(Failure::None);
}

void HttpFetch::fail(Failure failure, const QString &detail)
{
    ++m_generation;
    m_phase = Phase::Done;
    m_pending.clear();
    dropSocket();
    m_failure = failure;
    m_detail = detail;
    emit finished();
}

void HttpFetch::failLater(Failure failure, const QString &detail)
{
    QMetaObject::invokeMethod(
        this,
        [this, generation = m_generation, failure, detail] {
            if (generation == m_generation)
                fail(failure, detail);
        },
        Qt::QueuedConnection);
}

void HttpFetch::dropSocket()
{
    if (!m_socket)
        return;
    QTcpSocket *socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}
