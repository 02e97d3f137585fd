// How the site reads a request's head: what it accepts, what it refuses and when, and the heads a
// proxy in front could frame otherwise, which must all be refused.

#include "HttpParser.h"

#include <QtTest>

namespace {

// Name, head ("|" for CRLF) and outcome: "more", the refusal's status, or "METHOD TARGET LENGTH
// keep|close [continue] [X-A's value]" and what lies after the head.
const char *const Heads[][3] = {
    {"origin form", "GET /ranking?page=2 HTTP/1.1|Host: x||", "GET /ranking?page=2 0 keep +"},
    {"absolute form", "GET hTTp://Example.com:8642/ranking HTTP/1.1|Host: y||", "GET /ranking 0 keep +"},
    {"absolute form, no path", "HEAD https://[::1]?x=1 HTTP/1.1|Host: x||", "HEAD /?x=1 0 keep +"},
    {"HTTP/1.0", "GET / HTTP/1.0||", "GET / 0 close +"},
    {"HTTP/1.0 kept alive", "GET / HTTP/1.0|Connection: Keep-Alive||GET", "GET / 0 keep +GET"},
    {"close among options", "GET / HTTP/1.1|Host: x|Connection: keep-alive, Close||", "GET / 0 close +"},
    {"later minor version", "GET / HTTP/1.7|Host: x||", "GET / 0 keep +"},
    {"blank lines before", "||GET / HTTP/1.1|Host: x||", "GET / 0 keep +"},
    {"body", "POST /r HTTP/1.1|Host: x|Content-Length: 5||usr=A", "POST /r 5 keep +usr=A"},
    {"expect continue", "POST /r HTTP/1.1|Host: x|Expect: 100-Continue|Content-Length: 5||",
     "POST /r 5 keep continue +"},
    {"no continue in HTTP/1.0", "POST /r HTTP/1.0|Expect: 100-continue|Content-Length: 5||",
     "POST /r 5 close +"},
    {"value trimmed, tab and Latin-1 in it", "GET / HTTP/1.1|Host: x|X-A: \t \xf2\tR \t||",
     "GET / 0 keep \xf2\tR +"},
    {"empty Host", "GET / HTTP/1.1|Host:||", "GET / 0 keep +"},
    {"CR last, not yet bare", "GET / HTTP/1.1|Host: x|\r", "more"},
    {"no Host", "GET / HTTP/1.1||", "400"},
    {"two Hosts", "GET / HTTP/1.1|Host: x|Host: x||", "400"},
    {"two Hosts in HTTP/1.0", "GET / HTTP/1.0|Host: x|Host: x||", "400"},
    {"Host with user", "GET / HTTP/1.1|Host: a@b||", "400"},
    {"absolute form with user", "GET http://a@b/ HTTP/1.1|Host: x||", "400"},
    {"other scheme", "GET ftp://b/ HTTP/1.1|Host: x||", "400"},
    {"no request, said at once", "NONSENSE|", "400"},
    {"bare LF ending the head", "GET / HTTP/1.1|Host: x|\n", "400"},
    {"bare LF, head unfinished", "GET / HTTP/1.1\nHost", "400"},
    {"bare CR", "GET / HTTP/1.1|Host: x|X-A: 1\r2||", "400"},
    {"bare CR, head unfinished", "GET / HTTP/1.1|Host: x|X-A: 1\r2", "400"},
    {"folded line", "GET / HTTP/1.1|Host: x|X-A: 1| 2||", "400"},
    {"blank before colon", "GET / HTTP/1.1|Host: x|X-A : 1||", "400"},
    {"control character", "GET / HTTP/1.1|Host: x|X-A: 1\x01||", "400"},
    {"length and chunks", "POST /r HTTP/1.1|Host: x|Content-Length: 5|Transfer-Encoding: chunked||", "400"},
    {"chunks and length", "POST /r HTTP/1.1|Host: x|Transfer-Encoding: chunked|Content-Length: 5||", "400"},
    {"chunks", "POST /r HTTP/1.1|Host: x|Transfer-Encoding: chunked||", "411"},
    {"coding in HTTP/1.0", "POST /r HTTP/1.0|Transfer-Encoding: chunked||", "400"},
    {"two equal lengths", "POST /r HTTP/1.1|Host: x|Content-Length: 5|Content-Length: 5||", "400"},
    {"length list", "POST /r HTTP/1.1|Host: x|Content-Length: 5, 5||", "400"},
    {"signed length", "POST /r HTTP/1.1|Host: x|Content-Length: +5||", "400"},
    {"19-digit length", "POST /r HTTP/1.1|Host: x|Content-Length: 1111111111111111111||", "400"},
    {"body over 64 KiB", "POST /r HTTP/1.1|Host: x|Content-Length: 65537||", "413"},
    {"other expectation", "GET / HTTP/1.1|Host: x|Expect: later||", "417"},
};

QByteArray outcome(const QByteArray &in)
{
    const HttpHead head = readHttpHead(in);
    if (head.state != HttpHead::State::Complete)
        return head.state == HttpHead::State::Refused ? QByteArray::number(head.request.refusal) : "more";
    const HttpRequest &r = head.request;
    return r.method + ' ' + r.path + (r.query.isNull() ? "" : '?' + r.query) + ' '
           + QByteArray::number(head.bodyLength) + (head.keepAlive ? " keep" : " close")
           + (head.expectContinue ? " continue" : "")
           + (r.header("x-a").isEmpty() ? "" : ' ' + r.header("x-a")) + " +" + in.mid(head.size);
}

} // namespace

class tst_HttpParser : public QObject
{
    Q_OBJECT

private slots:
    void heads_data()
    {
        QTest::addColumn<QByteArray>("in");
        QTest::addColumn<QByteArray>("expected");
        for (const auto &row : Heads)
            QTest::newRow(row[0]) << QByteArray(row[1]).replace('|', "\r\n") << QByteArray(row[2]);
        const QByteArray get = "GET / HTTP/1.1\r\nHost: x\r\n";
        QTest::newRow("129 fields") << get + QByteArray("X-B: 1\r\n").repeated(128) + "\r\n"
                                    << QByteArray("431");
        QTest::newRow("16 KiB unended") << get + "X-B: " + QByteArray(16 * 1024, 'b') << QByteArray("431");
    }
    void heads()
    {
        QFETCH(QByteArray, in);
        QFETCH(QByteArray, expected);
        QCOMPARE(outcome(in), expected);
    }
};

QTEST_GUILESS_MAIN(tst_HttpParser)
#include "tst_HttpParser.moc"
