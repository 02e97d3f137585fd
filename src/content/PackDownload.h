#pragma once

#include "content/DownloadState.h"
#include "content/PackInstall.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QHash>
#include <QObject>

#include <memory>

class CategoryTable;
class HttpFetch;
class QThread;
class QTimer;

// Fetches a category's pack and then the title index from the game's web site, without
// blocking the window, and installs both only when both arrived whole and pass the content
// check. The server is not trusted: a file larger than the indexes say is cut off as soon as it
// says so or sends more, a server silent for longer than the stall time or slower than the
// minimum rate is left, and any HTTP status outside 2xx, a dropped connection or content that is
// not what the indexes describe fails the download and leaves Data/ as it was. Where the site
// gives SHA-256 digests (a Repr-Digest field with the file, or its list Data/index.sha256), a
// file is taken only when it is the site's file byte for byte.
class PackDownload : public QObject
{
    Q_OBJECT
public:
    // The table says what the pack and the title index must hold.
    explicit PackDownload(const CategoryTable &table, QObject *parent = nullptr);
    ~PackDownload() override;

    DownloadState state() const { return m_state; }
    // Why the last download failed, for the player, as a sentence; empty after a success.
    QString problem() const { return m_problem; }

    // Time without a byte after which the server counts as gone (30 s).
    void setStallTimeout(int milliseconds);
    // The slowest transfer kept: at least `bytesPerSecond` on average over every `window`
    // milliseconds (1 KiB/s over 30 s), so a server that drips bytes cannot hold it for ever.
    void setMinimumRate(int bytesPerSecond, int window);

    void start(int cat);
    // Stops a transfer or check under way; nothing is written.
    void cancel();

signals:
    void stateChanged(DownloadState state);
    // Bytes of the file being fetched so far, and its size as the indexes give it.
    void progress(qint64 received, qint64 total);

private:
    struct Check;
    // The digest list first (an older site has none), then the pack, then the title index.
    enum class Step { DigestList, Pack, Titles };

    void fetch(Step step);
    void headArrived();
    void take(const QByteArray &bytes);
    void fetched();
    QString transferProblem() const;
    QString listTooLarge() const;
    bool isSiteFile();
    void rateTick();
    void stalled();
    void startCheck(const QByteArray &titles);
    void checked(const std::shared_ptr<Check> &check);
    void setState(DownloadState state);
    void giveUp(const QString &problem);
    // Runs a handler of the transfer: running short of memory fails the download, and no
    // exception reaches the event loop.
    template<typename Handler> void guarded(Handler handler);

    const CategoryTable &m_table;
    HttpFetch *m_fetch;
    QTimer *m_stall;
    QTimer *m_rate;
    int m_minimumRate = 1024;
    PackInstall::Plan m_plan;
    Step m_step = Step::DigestList;
    QString m_file;     // the file under way, as the player's messages name it
    qint64 m_size = 0;  // its size as the indexes give it
    QByteArray m_bytes; // of the file under way
    QCryptographicHash m_hash {QCryptographicHash::Sha256};
    QByteArray m_digest;                 // what the file must hash to; empty when the site gives none
    QString m_digestSource;              // where that came from, as the player's messages name it
    QHash<QString, QByteArray> m_listed; // Data/index.sha256, by file name
    qint64 m_windowStart = 0;
    QByteArray m_pack;
    std::shared_ptr<Check> m_check;
    DownloadState m_state = DownloadState::Ready;
    QString m_problem;
};
