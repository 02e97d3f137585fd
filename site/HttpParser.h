#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QPair>

// One request as read from a client. refusal is 0 for a request read whole; otherwise the status
// to refuse it with (400, 408, 411, 413, 417, 431), and the connection closes after it.
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

// What one request may hold.
struct HttpBounds {
    qint64 maxHead = 16 * 1024; // request line and header lines, with any blank lines before them
    qint64 maxBody = 64 * 1024;
    int maxHeaders = 128;
};

// A request head read from the start of what a client has sent so far.
struct HttpHead {
    enum class State { Incomplete, Complete, Refused };
    State state = State::Incomplete;
    qsizetype size = 0;  // bytes up to and with the blank line that ends the head, once complete
    HttpRequest request; // without its body; when refused, only refusal is set
    qint64 bodyLength = 0;
    int minor = 1;               // HTTP/1.minor
    bool keepAlive = false;      // the connection stays open after the answer
    bool expectContinue = false; // the client waits for "100 Continue" before sending its body
};

// Reads a head as HTTP/1.1 asks of a server, strictly wherever a proxy in front and the site could
// read the same bytes differently: lines end in CRLF, no folded lines, one Host and one length,
// never a length beside a transfer coding. A head is refused as soon as what has arrived shows it
// wrong, so a client learns at once rather than at its deadline. Looks at no more than
// bounds.maxHead bytes of `in`.
HttpHead readHttpHead(QByteArrayView in, const HttpBounds &bounds = {});
