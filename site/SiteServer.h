#pragma once

#include "RecordPost.h"

#include <QAbstractHttpServer>
#include <QPointer>
#include <QString>
#include <QVector>

class RecordStore;

// The game's web site: packs from the data folder, the record form, the ranking and the
// community page. Every request is answered on the event loop; a download goes out piece by
// piece as its client takes it, so slow clients never hold up the others.
class SiteServer : public QAbstractHttpServer
{
    Q_OBJECT

public:
    // dataFolder must exist; store must be open and outlive the server.
    SiteServer(const QString &dataFolder, RecordStore *store, QObject *parent = nullptr);

protected:
    bool handleRequest(const QHttpServerRequest &request, QTcpSocket *socket) override;
    void missingHandler(const QHttpServerRequest &request, QTcpSocket *socket) override;

private:
    void serveData(const QString &encodedName, bool headOnly, bool close, QTcpSocket *socket);
    void postRecord(const QHttpServerRequest &request, bool close, QTcpSocket *socket);
    void commitPosts();
    void showRanking(bool headOnly, bool close, QTcpSocket *socket);

    // Posts read but not yet stored; stored together, in one commit, once the requests that
    // arrived meanwhile have been read, and only then answered.
    struct PendingPost {
        RecordPost post;
        QPointer<QTcpSocket> socket;
        bool close = false;
    };
    QVector<PendingPost> m_pending;

    QString m_dataFolder; // canonical
    RecordStore *m_store;
};
