// How the site reads a request's head: what it accepts, what it refuses and when, and the heads a
// proxy in front could frame otherwise, which must all be refused.

#include "HttpParser.h"

#include <QtTest>

namespace {

// "more", the refusal's status, or "METHOD PATH[?QUERY] LENGTH keep|close [continue]" followed
// by what lies after the head.
QByteArray outcome(const QByteArray &in)
{
    const HttpHead head = readHttpHead(in);
    if (head.state == HttpHead::State::Incomplete)
        return "more";
    if (head.state == HttpHead::State::Refused)
        return QByteArray::number(head.request.refusal);
    const HttpRequest &r = head.request;
    return r.method + ' ' + r.path + (r.query.isNull() ? "" : '?' + r.query) + ' '
           + QByteArray::number(head.bodyLength) + (head.keepAlive ? " keep" : " close")
           + (head.expectContinue ? " continue" : "")
           + (r.header("x-a").isEmpty() ? "" : " [" + r.header("x-a") + ']') + " +" + in.mid(head.size);
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
        const QByteArray host = "Host: x\r\n";
        const QByteArray get = "GET / HTTP/1.1\r\n" + host;
        const QByteArray post = "POST /r HTTP/1.1\r\n" + host;

        QTest::newRow("origin form") << QByteArray("GET /LumivoPro/ranking?page=2 HTTP/1.1\r\n" + host
                                                   + "\r\n")
                                     << QByteArray("GET /LumivoPro/ranking?page=2 0 keep +");
        QTest::newRow("absolute form")
            << QByteArray("GET hTTp://Example.com:8642/LumivoPro/ranking HTTP/1.1\r\nHost: other\r\n\r\n")
            << QByteArray("GET /LumivoPro/ranking 0 keep +");
        QTest::newRow("absolute form without a path")
            << QByteArray("HEAD https://[::1]?x=1 HTTP/1.1\r\n" + host + "\r\n")
            << QByteArray("HEAD /?x=1 0 keep +");
        QTest::newRow("HTTP/1.0") << QByteArray("GET / HTTP/1.0\r\n\r\n") << QByteArray("GET / 0 close +");
        QTest::newRow("HTTP/1.0 kept alive")
            << QByteArray("GET / HTTP/1.0\r\nConnection: Keep-Alive\r\n\r\nGET")
            << QByteArray("GET / 0 keep +GET");
        QTest::newRow("close among options")
            << QByteArray(get + "Connection: keep-alive, Close\r\n\r\n") << QByteArray("GET / 0 close +");
        QTest::newRow("later minor version")
            << QByteArray("GET / HTTP/1.7\r\n" + host + "\r\n") << QByteArray("GET / 0 keep +");
        QTest::newRow("blank lines before")
            << QByteArray("\r\n\r\n" + get + "\r\n") << QByteArray("GET / 0 keep +");
        QTest::newRow("body") << QByteArray(post + "Content-Length: 5\r\n\r\nusr=A")
                              << QByteArray("POST /r 5 keep +usr=A");
        QTest::newRow("expect continue")
            << QByteArray(post + "Expect: 100-Continue\r\nContent-Length: 5\r\n\r\n")
            << QByteArray("POST /r 5 keep continue +");
        QTest::newRow("no continue for HTTP/1.0")
            << QByteArray("POST /r HTTP/1.0\r\nExpect: 100-continue\r\nContent-Length: 5\r\n\r\n")
            << QByteArray("POST /r 5 close +");
        QTest::newRow("field trimmed, tab and Latin-1 kept")
            << QByteArray(get + "X-A: \t Nicol\xf2\tR \t\r\n\r\n")
            << QByteArray("GET / 0 keep [Nicol\xf2\tR] +");
        QTest::newRow("empty Host") << QByteArray("GET / HTTP/1.1\r\nHost:\r\n\r\n")
                                    << QByteArray("GET / 0 keep +");
        QTest::newRow("IPv6 host") << QByteArray("GET / HTTP/1.1\r\nHost: [::1]:8642\r\n\r\n")
                                   << QByteArray("GET / 0 keep +");

        QTest::newRow("head not ended") << get << QByteArray("more");
        QTest::newRow("CR last") << QByteArray(get + "\r") << QByteArray("more");
        QTest::newRow("request line begun") << QByteArray("GET /Lumi") << QByteArray("more");

        QTest::newRow("no Host") << QByteArray("GET / HTTP/1.1\r\n\r\n") << QByteArray("400");
        QTest::newRow("two Hosts") << QByteArray(get + host + "\r\n") << QByteArray("400");
        QTest::newRow("two Hosts in HTTP/1.0")
            << QByteArray("GET / HTTP/1.0\r\n" + host + host + "\r\n") << QByteArray("400");
        QTest::newRow("Host with user")
            << QByteArray("GET / HTTP/1.1\r\nHost: a@b\r\n\r\n") << QByteArray("400");
        QTest::newRow("absolute form with user")
            << QByteArray("GET http://a@b/ HTTP/1.1\r\n" + host + "\r\n") << QByteArray("400");
        QTest::newRow("other scheme")
            << QByteArray("GET ftp://b/ HTTP/1.1\r\n" + host + "\r\n") << QByteArray("400");
        QTest::newRow("asterisk") << QByteArray("OPTIONS * HTTP/1.1\r\n" + host + "\r\n")
                                  << QByteArray("400");
        QTest::newRow("fragment") << QByteArray("GET /a#b HTTP/1.1\r\n" + host + "\r\n") << QByteArray("400");
        QTest::newRow("two blanks") << QByteArray("GET  / HTTP/1.1\r\n" + host + "\r\n") << QByteArray("400");
        QTest::newRow("HTTP/2") << QByteArray("GET / HTTP/2.0\r\n" + host + "\r\n") << QByteArray("400");
        QTest::newRow("no request, said at once") << QByteArray("NONSENSE\r\n") << QByteArray("400");
        QTest::newRow("bare LF ending the head") << QByteArray(get + "\n") << QByteArray("400");
        QTest::newRow("bare LF, head unfinished") << QByteArray("GET / HTTP/1.1\nHost") << QByteArray("400");
        QTest::newRow("bare CR") << QByteArray(get + "X-A: 1\r2\r\n\r\n") << QByteArray("400");
        QTest::newRow("bare CR, head unfinished") << QByteArray(get + "X-A: 1\r2") << QByteArray("400");
        QTest::newRow("folded line") << QByteArray(get + "X-A: 1\r\n 2\r\n\r\n") << QByteArray("400");
        QTest::newRow("blank before colon") << QByteArray(get + "X-A : 1\r\n\r\n") << QByteArray("400");
        QTest::newRow("control character") << QByteArray(get + "X-A: 1\x01\r\n\r\n") << QByteArray("400");
        QTest::newRow("length and chunks")
            << QByteArray(post + "Content-Length: 5\r\nTransfer-Encoding: chunked\r\n\r\n")
            << QByteArray("400");
        QTest::newRow("chunks and length")
            << QByteArray(post + "Transfer-Encoding: chunked\r\nContent-Length: 5\r\n\r\n")
            << QByteArray("400");
        QTest::newRow("chunks") << QByteArray(post + "Transfer-Encoding: chunked\r\n\r\n")
                                << QByteArray("411");
        QTest::newRow("coding in HTTP/1.0")
            << QByteArray("POST /r HTTP/1.0\r\nTransfer-Encoding: chunked\r\n\r\n") << QByteArray("400");
        QTest::newRow("two equal lengths")
            << QByteArray(post + "Content-Length: 5\r\nContent-Length: 5\r\n\r\n") << QByteArray("400");
        QTest::newRow("length list") << QByteArray(post + "Content-Length: 5, 5\r\n\r\n")
                                     << QByteArray("400");
        QTest::newRow("signed length")
            << QByteArray(post + "Content-Length: +5\r\n\r\n") << QByteArray("400");
        QTest::newRow("19-digit length")
            << QByteArray(post + "Content-Length: " + QByteArray(19, '1') + "\r\n\r\n") << QByteArray("400");
        QTest::newRow("body over 64 KiB")
            << QByteArray(post + "Content-Length: 65537\r\n\r\n") << QByteArray("413");
        QTest::newRow("other expectation") << QByteArray(get + "Expect: later\r\n\r\n") << QByteArray("417");
        QTest::newRow("129 fields") << QByteArray(get + QByteArray("X-B: 1\r\n").repeated(128) + "\r\n")
                                    << QByteArray("431");
        QTest::newRow("16 KiB unended")
            << QByteArray(get + "X-B: " + QByteArray(16 * 1024, 'b')) << QByteArray("431");
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
