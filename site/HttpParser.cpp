#include "HttpParser.h"

#include <QVarLengthArray>

#include <algorithm>

namespace {

bool isTokenChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
           || QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool isToken(QByteArrayView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), isTokenChar);
}

bool isDigits(QByteArrayView text)
{
    return !text.isEmpty()
           && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A host and optional port as a Host field or an absolute target names it: a name, an IPv4
// address or a bracketed IPv6 one. No user information ("@"), no path.
bool isHost(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')
               || QByteArrayView("-._~%!$&'()*+,;=:[]").contains(c);
    });
}

// "method target HTTP/1.x", one space between them, into request. False when it is no such line.
bool readRequestLine(QByteArrayView line, HttpRequest *request, int *minor)
{
    const qsizetype first = line.indexOf(' ');
    const qsizetype second = first < 0 ? -1 : line.indexOf(' ', first + 1);
    if (second < 0 || line.indexOf(' ', second + 1) >= 0)
        return false;
    const QByteArrayView method = line.first(first);
    const QByteArrayView target = line.sliced(first + 1, second - first - 1);
    const QByteArrayView version = line.sliced(second + 1);
    // A later HTTP/1 minor version is read as the latest one known.
    if (!isToken(method) || method.size() > 16 || version.size() != 8 || !version.startsWith("HTTP/1.")
        || version[7] < '0' || version[7] > '9')
        return false;
    *minor = version[7] - '0';
    if (std::any_of(target.begin(), target.end(),
                    [](char c) { return uchar(c) <= ' ' || uchar(c) >= 0x7F || c == '#'; }))
        return false;
    QByteArrayView local = target;
    if (!target.startsWith('/')) {
        // The absolute form a client sends a proxy: what follows the authority is the target.
        const qsizetype colon = target.indexOf("://");
        const QByteArrayView scheme = colon < 0 ? QByteArrayView() : target.first(colon);
        if (scheme.compare("http", Qt::CaseInsensitive) != 0
            && scheme.compare("https", Qt::CaseInsensitive) != 0)
            return false;
        const QByteArrayView rest = target.sliced(colon + 3);
        qsizetype end = 0;
        while (end < rest.size() && rest[end] != '/' && rest[end] != '?')
            ++end;
        if (end == 0 || !isHost(rest.first(end)))
            return false;
        local = rest.sliced(end);
    }
    const qsizetype question = local.indexOf('?');
    const QByteArrayView path = question < 0 ? local : local.first(question);
    request->method = method.toByteArray();
    request->path = path.isEmpty() ? QByteArray("/") : path.toByteArray();
    request->query = question < 0 ? QByteArray() : local.sliced(question + 1).toByteArray();
    return true;
}

// "name: value", the name right before the colon (so no folded continuation line) and no
// control character but a tab in the value.
bool isField(QByteArrayView line)
{
    const qsizetype colon = line.indexOf(':');
    return colon > 0 && isToken(line.first(colon))
           && std::none_of(line.begin() + colon + 1, line.end(),
                           [](char c) { return (uchar(c) < ' ' && c != '\t') || c == 0x7F; });
}

HttpHead refused(int status)
{
    HttpHead head;
    head.state = HttpHead::State::Refused;
    head.request.refusal = status;
    return head;
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

HttpHead readHttpHead(QByteArrayView in, const HttpBounds &bounds)
{
    const QByteArrayView window = in.first(qMin<qsizetype>(in.size(), bounds.maxHead));
    HttpHead head;
    int minor = 1;
    bool haveRequestLine = false;
    QVarLengthArray<QByteArrayView, 32> fields;
    qsizetype at = 0;
    for (qsizetype lf; (lf = window.indexOf('\n', at)) >= 0;) {
        if (lf == 0 || window[lf - 1] != '\r' || window.sliced(at, lf - at - 1).contains('\r'))
            return refused(400); // a bare LF or CR, which readers take for a line end or not
        const QByteArrayView line = window.sliced(at, lf - at - 1);
        at = lf + 1;
        if (!haveRequestLine) {
            // Blank lines before a request are allowed.
            if (!line.isEmpty() && !readRequestLine(line, &head.request, &minor))
                return refused(400);
            haveRequestLine = !line.isEmpty();
        } else if (line.isEmpty()) {
            head.size = at;
            break;
        } else if (fields.size() == bounds.maxHeaders) {
            return refused(431);
        } else if (!isField(line)) {
            return refused(400);
        } else {
            fields.append(line);
        }
    }
    if (head.size == 0) {
        // Past the last line end there can be no line end but a CR at the very end.
        const qsizetype cr = window.indexOf('\r', at);
        if (cr >= 0 && cr + 1 < window.size())
            return refused(400);
        if (in.size() >= bounds.maxHead)
            return refused(431);
        return head;
    }

    bool close = false;
    bool keepAlive = false;
    bool haveLength = false;
    bool coded = false;
    int hosts = 0;
    for (const QByteArrayView line : fields) {
        const qsizetype colon = line.indexOf(':');
        const QByteArray name = line.first(colon).toByteArray().toLower();
        const QByteArrayView value = line.sliced(colon + 1).trimmed();
        head.request.headers.append({name, value.toByteArray()});
        if (name == "host") {
            ++hosts;
            if (!isHost(value))
                return refused(400);
        } else if (name == "content-length") {
            // Digits only: no sign, no list, and no second length, even an equal one.
            if (haveLength || !isDigits(value) || value.size() > 18)
                return refused(400);
            haveLength = true;
            head.bodyLength = value.toLongLong();
        } else if (name == "transfer-encoding") {
            coded = true;
        } else if (name == "expect") {
            if (value.compare("100-continue", Qt::CaseInsensitive) != 0)
                return refused(417);
            head.expectContinue = minor >= 1;
        } else if (name == "connection") {
            for (qsizetype from = 0; from <= value.size();) {
                qsizetype comma = value.indexOf(',', from);
                if (comma < 0)
                    comma = value.size();
                const QByteArrayView option = value.sliced(from, comma - from).trimmed();
                close = close || option.compare("close", Qt::CaseInsensitive) == 0;
                keepAlive = keepAlive || option.compare("keep-alive", Qt::CaseInsensitive) == 0;
                from = comma + 1;
            }
        }
    }
    if (minor >= 1 ? hosts != 1 : hosts > 1)
        return refused(400);
    // Bodies in chunks are not read. Beside a length, or from HTTP/1.0 which has no transfer
    // codings, a coding leaves the body's end in doubt: refused as a malformed request.
    if (coded)
        return refused(haveLength || minor == 0 ? 400 : 411);
    if (head.bodyLength > bounds.maxBody)
        return refused(413);
    head.state = HttpHead::State::Complete;
    head.minor = minor;
    head.keepAlive = !close && (minor >= 1 || keepAlive);
    return head;
}
