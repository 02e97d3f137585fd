#include "content/PackDownload.h"

#include "base/SiteAddress.h"
#include "content/ContentFiles.h"
#include "content/PackInstall.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

namespace {
constexpr int DefaultStall = 30000;
const QString TitleIndexName = QStringLiteral("index.lvt");
} // namespace

PackDownload::PackDownload(const CategoryTable &table, QObject *parent)
    : QObject(parent)
    , m_table(table)
    , m_network(new QNetworkAccessManager(this))
    , m_stall(new QTimer(this))
{
    m_stall->setSingleShot(true);
    m_stall->setInterval(DefaultStall);
    connect(m_stall, &QTimer::timeout, this, &PackDownload::stalled);
}

PackDownload::~PackDownload()
{
    cancel();
}

void PackDownload::setStallTimeout(int milliseconds)
{
    m_stall->setInterval(milliseconds);
}

void PackDownload::start(int cat)
{
    cancel();
    m_cat = cat;
    m_pack.clear();
    m_packFetched = false;
    m_problem.clear();
    setState(DownloadState::Connecting);
    fetch(QFileInfo(ContentFiles::packFile(cat)).fileName());
}

void PackDownload::cancel()
{
    m_stall->stop();
    if (m_reply) {
        QNetworkReply *reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
}

void PackDownload::fetch(const QString &name)
{
    QNetworkRequest request(SiteAddress::dataFile(name));
    // A stored copy of a pack that has since changed is no use.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    m_reply = m_network->get(request);
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this](qint64 received, qint64 total) {
        m_stall->start();
        if (received > 0)
            setState(DownloadState::Receiving);
        emit progress(received, total);
    });
    connect(m_reply, &QNetworkReply::finished, this, &PackDownload::fetched);
    m_stall->start();
}

void PackDownload::fetched()
{
    m_stall->stop();
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    // An error page is not a pack: only a 2xx answer counts as the file.
    if (reply->error() != QNetworkReply::NoError || status < 200 || status > 299) {
        giveUp(status > 0
                   ? QStringLiteral("Il sito ha risposto %1 per %2.").arg(status).arg(reply->url().path())
                   : reply->errorString());
        return;
    }
    if (!m_packFetched) {
        m_pack = reply->readAll();
        m_packFetched = true;
        fetch(TitleIndexName);
        return;
    }
    if (const Result<> installed = PackInstall::install(m_table, m_cat, m_pack, reply->readAll());
        !installed) {
        giveUp(installed.problem());
        return;
    }
    m_pack.clear();
    setState(DownloadState::Done);
}

void PackDownload::stalled()
{
    cancel();
    giveUp(QStringLiteral("Il sito non risponde da %1 secondi.").arg(m_stall->interval() / 1000));
}

void PackDownload::giveUp(const QString &problem)
{
    m_problem = problem;
    m_pack.clear();
    setState(DownloadState::Failed);
}

void PackDownload::setState(DownloadState state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit stateChanged(state);
}
