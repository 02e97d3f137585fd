#include "content/PackDownload.h"

#include "base/SiteAddress.h"
#include "content/ContentFiles.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThread>
#include <QTimer>

#include <exception>
#include <new>
#include <utility>

namespace {
constexpr int DefaultStall = 30000;
constexpr int DefaultRateWindow = 30000;
// What Qt may hold of a reply before the download takes it: with the file's own size, the most
// a transfer ever holds in memory.
constexpr qint64 ReadBuffer = 256 * 1024;
constexpr int MaxRedirects = 5;

bool isSuccess(int status)
{
    return status >= 200 && status <= 299;
}
} // namespace

// A check of the arrived files, run away from the window's thread: decoding every picture of a
// large category takes a while, and the window stays responsive and closable meanwhile. It holds
// its own copies of what it needs, so it can outlive the download that started it.
struct PackDownload::Check {
    PackInstall::Plan plan;
    QByteArray pack;
    QByteArray titles;
    std::atomic<bool> stop {false};
    Result<> result;
    bool outOfMemory = false;
};

template<typename Handler> void PackDownload::guarded(Handler handler)
{
    try {
        handler();
    } catch (const std::bad_alloc &) {
        // What the transfer held goes first, so the message itself finds memory.
        cancel();
        m_pack = QByteArray();
        giveUp(tr("Memoria insufficiente per scaricare il file %1: chiudere altri programmi e "
                  "riprovare.")
                   .arg(m_file));
    } catch (const std::exception &) {
        cancel();
        giveUp(tr("Il download del file %1 non è riuscito per un errore interno.").arg(m_file));
    }
}

PackDownload::PackDownload(const CategoryTable &table, QObject *parent)
    : QObject(parent)
    , m_table(table)
    , m_network(new QNetworkAccessManager(this))
    , m_stall(new QTimer(this))
    , m_rate(new QTimer(this))
{
    m_stall->setSingleShot(true);
    m_stall->setInterval(DefaultStall);
    connect(m_stall, &QTimer::timeout, this, [this] { guarded([this] { stalled(); }); });
    m_rate->setInterval(DefaultRateWindow);
    connect(m_rate, &QTimer::timeout, this, [this] { guarded([this] { rateTick(); }); });
}

PackDownload::~PackDownload()
{
    cancel();
    // A check stopped by cancel() ends after the picture it is decoding.
    for (QThread *thread : findChildren<QThread *>(Qt::FindDirectChildrenOnly))
        thread->wait();
}

void PackDownload::setStallTimeout(int milliseconds)
{
    m_stall->setInterval(milliseconds);
}

void PackDownload::setMinimumRate(int bytesPerSecond, int window)
{
    m_minimumRate = bytesPerSecond;
    m_rate->setInterval(window);
}

void PackDownload::start(int cat)
{
    cancel();
    m_pack.clear();
    m_packFetched = false;
    m_problem.clear();
    setState(DownloadState::Connecting);
    // The indexes say how large each file must be before a byte is asked for.
    Result<PackInstall::Plan> plan = PackInstall::plan(m_table, cat);
    if (!plan) {
        giveUp(plan.problem());
        return;
    }
    m_plan = *plan;
    fetch(ContentFiles::packFile(cat), m_plan.packSize);
}

void PackDownload::cancel()
{
    m_stall->stop();
    m_rate->stop();
    if (m_check) {
        m_check->stop = true;
        m_check.reset();
    }
    if (m_reply) {
        QNetworkReply *reply = m_reply;
        m_reply = nullptr;
        reply->disconnect(this);
        reply->abort();
        reply->deleteLater();
    }
    m_bytes.clear();
}

void PackDownload::fetch(const QString &file, qint64 size)
{
    m_file = file;
    m_size = size;
    m_bytes.clear();
    m_windowStart = 0;
    QNetworkRequest request(SiteAddress::dataFile(QFileInfo(file).fileName()));
    // A stored copy of a pack that has since changed is no use.
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setMaximumRedirectsAllowed(MaxRedirects);
    m_reply = m_network->get(request);
    m_reply->setReadBufferSize(ReadBuffer);
    connect(m_reply, &QNetworkReply::metaDataChanged, this,
            [this] { guarded([this] { headersArrived(); }); });
    connect(m_reply, &QNetworkReply::readyRead, this, [this] { guarded([this] { take(); }); });
    connect(m_reply, &QNetworkReply::finished, this, [this] { guarded([this] { fetched(); }); });
    m_stall->start();
    m_rate->start();
}

void PackDownload::headersArrived()
{
    const QVariant status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // A redirection is followed by Qt itself, within MaxRedirects.
    if (!status.isValid() || (status.toInt() >= 300 && status.toInt() <= 399))
        return;
    if (!isSuccess(status.toInt())) {
        giveUpAfterHead(tr("Il sito ha risposto %1 per %2.").arg(status.toInt()).arg(m_reply->url().path()));
        return;
    }
    bool declared = false;
    const qint64 length = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong(&declared);
    if (declared && length > m_size)
        giveUpAfterHead(tr("Il file %1 inviato dal sito è troppo grande: %2 byte, dove gli indici "
                           "ne descrivono %3.")
                            .arg(m_file)
                            .arg(length)
                            .arg(m_size));
}

void PackDownload::giveUpAfterHead(const QString &problem)
{
    // Qt is still reading the head: the reply hears nothing more from here and is aborted once
    // Qt is done with it.
    m_stall->stop();
    m_rate->stop();
    m_reply->disconnect(this);
    QMetaObject::invokeMethod(
        this,
        [this, reply = QPointer<QNetworkReply>(m_reply), problem] {
            if (reply && reply == m_reply)
                giveUp(problem);
        },
        Qt::QueuedConnection);
}

void PackDownload::take()
{
    const qint64 available = m_reply->bytesAvailable();
    if (available <= 0)
        return;
    // Never more than the file's size is held: the first byte beyond it ends the transfer.
    if (m_bytes.size() + available > m_size) {
        giveUp(tr("Il file %1 inviato dal sito è troppo grande: supera i %2 byte che gli indici "
                  "descrivono.")
                   .arg(m_file)
                   .arg(m_size));
        return;
    }
    m_bytes += m_reply->read(available);
    m_stall->start();
    setState(DownloadState::Receiving);
    emit progress(m_bytes.size(), m_size);
}

void PackDownload::fetched()
{
    if (!m_reply)
        return;
    take();
    if (!m_reply)
        return; // given up while taking the last bytes
    m_stall->stop();
    m_rate->stop();
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    reply->deleteLater();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QString site = reply->url().authority();
    switch (reply->error()) {
    case QNetworkReply::NoError:
        break;
    case QNetworkReply::ConnectionRefusedError:
        giveUp(tr("Il sito %1 rifiuta la connessione: forse è spento, o l'indirizzo non è "
                  "quello giusto.")
                   .arg(site));
        return;
    case QNetworkReply::HostNotFoundError:
        giveUp(tr("Il sito %1 non si trova: controllare l'indirizzo e la rete.").arg(site));
        return;
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
        giveUp(tr("Il sito rimanda ad altri indirizzi senza mai inviare il file %1.").arg(m_file));
        return;
    default:
        // Once the server has answered, any error means the file stopped coming.
        giveUp(
            status.isValid()
                ? tr("Il trasferimento del file %1 si è interrotto dopo %2 byte su %3.")
                      .arg(m_file)
                      .arg(m_bytes.size())
                      .arg(m_size)
                : tr("Il trasferimento del file %1 non è riuscito (%2).").arg(m_file, reply->errorString()));
        return;
    }
    if (!isSuccess(status.toInt())) {
        giveUp(tr("Il sito ha risposto %1 per %2.").arg(status.toInt()).arg(reply->url().path()));
        return;
    }
    if (!m_packFetched) {
        // A pack that is plainly something else needs no title index.
        if (Result<> head = PackInstall::checkPackHead(m_plan, m_bytes); !head) {
            giveUp(head.problem());
            return;
        }
        m_pack = std::exchange(m_bytes, QByteArray());
        m_packFetched = true;
        fetch(ContentFiles::TitlesIndex, m_plan.titlesSize);
        return;
    }
    startCheck(std::exchange(m_bytes, QByteArray()));
}

void PackDownload::rateTick()
{
    if ((m_bytes.size() - m_windowStart) * 1000 < qint64(m_minimumRate) * m_rate->interval()) {
        giveUp(tr("Il sito invia il file %1 troppo lentamente, meno di %2 byte al secondo.")
                   .arg(m_file)
                   .arg(m_minimumRate));
        return;
    }
    m_windowStart = m_bytes.size();
}

void PackDownload::stalled()
{
    giveUp(tr("Il sito non risponde da %1 secondi.").arg(m_stall->interval() / 1000));
}

void PackDownload::startCheck(const QByteArray &titles)
{
    auto check = std::make_shared<Check>();
    check->plan = m_plan;
    check->pack = std::exchange(m_pack, QByteArray());
    check->titles = titles;
    m_check = check;
    setState(DownloadState::Checking);
    QThread *thread = QThread::create([check] {
        try {
            check->result = PackInstall::check(check->plan, check->pack, check->titles, &check->stop);
        } catch (...) {
            check->outOfMemory = true;
        }
    });
    thread->setParent(this);
    connect(thread, &QThread::finished, this, [this, check, thread] {
        thread->deleteLater();
        if (check == m_check)
            guarded([this, &check] { checked(check); });
    });
    thread->start();
}

void PackDownload::checked(const std::shared_ptr<Check> &check)
{
    m_check.reset();
    if (check->outOfMemory) {
        giveUp(tr("Memoria insufficiente per controllare i file scaricati: chiudere altri "
                  "programmi e riprovare."));
        return;
    }
    if (!check->result) {
        giveUp(check->result.problem());
        return;
    }
    if (Result<> written = PackInstall::write(check->plan, check->pack, check->titles); !written) {
        giveUp(written.problem());
        return;
    }
    setState(DownloadState::Done);
}

void PackDownload::giveUp(const QString &problem)
{
    cancel();
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
