#pragma once

#include "content/DownloadState.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>

class CategoryTable;
class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

// Fetches a category's pack and then the title index from the game's web site, without
// blocking the window, and hands both to PackInstall only when both arrived whole. Any HTTP
// status outside 2xx, a dropped connection, or a server silent for longer than the stall time
// fails the download and leaves Data/ as it was.
class PackDownload : public QObject
{
    Q_OBJECT
public:
    // The table says what the pack and the title index must hold.
    explicit PackDownload(const CategoryTable &table, QObject *parent = nullptr);
    ~PackDownload() override;

    DownloadState state() const { return m_state; }
    // Why the last download failed, for the player; empty after a success.
    QString problem() const { return m_problem; }

    // Time without a byte after which the server counts as gone (30 s).
    void setStallTimeout(int milliseconds);

    void start(int cat);
    // Stops a transfer under way; nothing is written.
    void cancel();

signals:
    void stateChanged(DownloadState state);
    // Bytes of the file being fetched so far, and its size (-1 while unknown).
    void progress(qint64 received, qint64 total);

private:
    void fetch(const QString &name);
    void fetched();
    void stalled();
    void setState(DownloadState state);
    void giveUp(const QString &problem);

    const CategoryTable &m_table;
    QNetworkAccessManager *m_network;
    QTimer *m_stall;
    QPointer<QNetworkReply> m_reply;
    int m_cat = 0;
    QByteArray m_pack;
    bool m_packFetched = false;
    DownloadState m_state = DownloadState::Ready;
    QString m_problem;
};
