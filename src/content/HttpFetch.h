#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QUrl>

#include <optional>

class QTcpSocket;

// One GET over HTTP/1.1 (https too), read to bounds a hostile server cannot stretch: the heads of
// an answer hold at most 64 KiB, a chunk-size line at most 4 KiB, redirects are followed five
// times at most and only to http and https addresses (never from https to http), and no content
// coding is asked for or taken. The body leaves as it arrives, nothing of it is kept here; the
// caller bounds its size and time.
class HttpFetch : public QObject
{
    Q_OBJECT
public:
    enum class Failure {
        None,
        Refused,          // nothing listens at the address
        HostNotFound,     // the name does not resolve
        Network,          // the network or the connection failed otherwise
        Secure,           // no TLS on this system, or the site's certificate was refused
        Closed,           // the connection closed before a whole head arrived
        Cut,              // the connection closed inside a body of known length
        Malformed,        // what arrived is not an HTTP/1 answer
        HeadTooLarge,     // the heads went past MaxHead
        Encoded,          // a content or transfer coding other than identity (and chunked)
        RedirectRefused,  // a redirect to an address that is not http or https
        RedirectInsecure, // a redirect from https to http
        TooManyRedirects,
    };

    static constexpr int MaxHead = 64 * 1024;
    static constexpr int MaxRedirects = 5;

    struct Head {
        int status = 0;
        qint64 length = -1;                          // Content-Length; -1 when not given or chunked
        QList<QPair<QByteArray, QByteArray>> fields; // names in lower case, in order of arrival
        // Every value of the field joined by ", ", as HTTP reads repeated fields; nothing when absent.
        std::optional<QByteArray> field(const QByteArray &lowerName) const;
    };

    explicit HttpFetch(QObject *parent = nullptr);
    ~HttpFetch() override;

    // Starts a GET, dropping any earlier one; the answer comes through the signals.
    void get(const QUrl &url);
    // Drops the fetch under way; no signal follows.
    void abort();

    // The final answer's head, once headArrived() was emitted.
    const Head &head() const { return m_head; }
    // The address that answers, after redirects.
    QUrl url() const { return m_url; }
    Failure failure() const { return m_failure; }
    // What a failure names: the coding refused, the scheme of a refused redirect.
    QString detail() const { return m_detail; }
    // Bytes read from the connections of this fetch, heads included.
    qint64 bytesRead() const { return m_read; }

signals:
    // Something arrived, head or body: the site is alive.
    void activity();
    // The head of the answer that is not a redirect; its body follows.
    void headArrived();
    void bodyArrived(const QByteArray &bytes);
    // The body ended (failure() is None) or the fetch failed.
    void finished();

private:
    enum class Phase { Idle, Head, Body, ChunkSize, ChunkData, ChunkEnd, Trailer, Done };

    void connectTo(const QUrl &url);
    void sendRequest();
    void readSome();
    void closed();
    void socketFailed(int error);
    // Takes bytes for the phase under way; false once the fetch ended or changed.
    bool consume(const QByteArray &bytes);
    bool headEnded(const QByteArray &text);
    bool deliver(const QByteArray &bytes);
    void succeed();
    void fail(Failure failure, const QString &detail = QString());
    void failLater(Failure failure, const QString &detail = QString());
    void dropSocket();

    QPointer<QTcpSocket> m_socket;
    QUrl m_url;
    Phase m_phase = Phase::Idle;
    Head m_head;
    QByteArray m_pending;    // head lines or a chunk-size line not yet whole
    qint64 m_headBytes = 0;  // of the heads of this answer, interim ones and trailers included
    qint64 m_remaining = -1; // of the body or chunk; -1: until the connection closes
    int m_redirects = 0;
    quint64 m_generation = 0; // changes whenever a fetch starts or ends: handlers check it
    qint64 m_read = 0;
    Failure m_failure = Failure::None;
    QString m_detail;
};
