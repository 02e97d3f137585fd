#pragma once

#include "DataDigests.h"
#include "RecordPost.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVector>

class HttpConnection;
struct HttpRequest;
class RecordStore;

// The game's web site: packs from the data folder with their digests, the record form, the
// ranking and the community page, answered on the event loop. Holds nothing another site process
// over the same database would need: what it keeps (the first ranking pages ready, the count of
// players) it checks against the database's change counter at every request.
class SiteServer : public QObject
{
    Q_OBJECT

public:
    // dataFolder must exist; store must be open and outlive the server.
    SiteServer(const QString &dataFolder, RecordStore *store, QObject *parent = nullptr);

    // Answers one request (HttpConnection's handler).
    void handle(HttpConnection *connection, const HttpRequest &request);

private:
    void serveData(HttpConnection *connection, const QByteArray &encodedName);
    QString servedPath(const QByteArray &name) const;
    void serveFile(HttpConnection *connection, const QString &path, bool mayWait);
    void serveManifest(HttpConnection *connection, bool mayWait);
    void postRecord(HttpConnection *connection, const HttpRequest &request);
    void commitPosts();
    void showRanking(HttpConnection *connection, const QByteArray &query);

    // Posts read but not yet stored; stored together, in one commit, once the requests that
    // arrived meanwhile have been read, and only then answered.
    struct PendingPost {
        RecordPost post;
        QPointer<HttpConnection> connection;
    };
    QVector<PendingPost> m_pending;

    QString m_dataFolder; // canonical
    RecordStore *m_store;
    DataDigests m_digests;

    // The first pages of the ranking as sent, good while the change counter stays at m_readyAt.
    static constexpr int ReadyPages = 10;
    QHash<int, QByteArray> m_ready;
    qint64 m_readyAt = -1;
};
