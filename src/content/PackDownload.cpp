#include "content/PackDownload.h"

#include "base/SiteAddress.h"
#include "content/ContentFiles.h"
#include "content/HttpFetch.h"
#include "content/SiteDigest.h"

#include <QFileInfo>
#include <QThread>
#include <QTimer>

#include <exception>
#include <new>
#include <utility>

namespace {
constexpr int DefaultStall = 30000;
constexpr int DefaultRateWindow = 30000;

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
    , m_fetch(new HttpFetch(this))
    , m_stall(new QTimer(this))
    , m_rate(new QTimer(this))
{
    m_stall->setSingleShot(true);
    m_stall->setInterval(DefaultStall);
    connect(m_stall, &QTimer::timeout, this, [this] { guarded([this] { stalled(); }); });
    m_rate->setInterval(DefaultRateWindow);
    connect(m_rate, &QTimer::timeout, this, [this] { guarded([this] { rateTick(); }); });
    connect(m_fetch, &HttpFetch::activity, m_stall, qOverload<>(&QTimer::start));
    connect(m_fetch, &HttpFetch::headArrived, this, [this] { guarded([this] { headArrived(); }); });
    connect(m_fetch, &HttpFetch::bodyArrived, this,
            [this](const QByteArray &bytes) { guarded([this, &bytes] { take(bytes); }); });
    connect(m_fetch, &HttpFetch::finished, this, [this] { guarded([this] { fetched(); }); });
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
    m_listed.clear();
    m_problem.clear();
    setState(DownloadState::Connecting);
    // The indexes say how large each file must be before a byte is asked for.
    Result<PackInstall::Plan> plan = PackInstall::plan(m_table, cat);
    if (!plan) {
        giveUp(plan.problem());
        return;
    }
    m_plan = *plan;
    fetch(Step::DigestList);
}

void PackDownload::cancel()
{
    m_stall->stop();
    m_rate->stop();
    if (m_check) {
        m_check->stop = true;
        m_check.reset();
    }
    m_fetch->abort();
    m_bytes.clear();
}

void PackDownload::fetch(Step step)
{
    m_step = step;
    m_file = step == Step::DigestList ? SiteDigest::ListFile
             : step == Step::Pack     ? ContentFiles::packFile(m_plan.category)
                                      : ContentFiles::TitlesIndex;
    m_size = step == Step::DigestList ? SiteDigest::MaxListSize
             : step == Step::Pack     ? m_plan.packSize
                                      : m_plan.titlesSize;
    m_bytes.clear();
    m_hash.reset();
    m_digest.clear();
    m_digestSource.clear();
    m_windowStart = 0;
    m_fetch->get(SiteAddress::dataFile(QFileInfo(m_file).fileName()));
    m_stall->start();
    m_rate->start();
}

void PackDownload::headArrived()
{
    const HttpFetch::Head &head = m_fetch->head();
    if (m_step == Step::DigestList && (head.status == 404 || head.status == 410)) {
        // An older site or a plain mirror: the indexes and the content check are all there is.
        fetch(Step::Pack);
        return;
    }
    if (!isSuccess(head.status)) {
        giveUp(tr("Il sito ha risposto %1 per %2.").arg(head.status).arg(m_fetch->url().path()));
        return;
    }
    if (head.length > m_size && m_step == Step::DigestList) {
        giveUp(listTooLarge());
        return;
    }
    if (head.length > m_size) {
        giveUp(tr("Il file %1 inviato dal sito è troppo grande: %2 byte, dove gli indici ne "
                  "descrivono %3.")
                   .arg(m_file)
                   .arg(head.length)
                   .arg(m_size));
        return;
    }
    if (m_step == Step::DigestList)
        return;
    if (const std::optional<QByteArray> field = head.field("repr-digest")) {
        const Result<std::optional<QByteArray>> digest = SiteDigest::fromField(*field);
        if (!digest) {
            giveUp(tr("L'intestazione Repr-Digest che il sito invia con il file %1 non è valida: %2.")
                       .arg(m_file, digest.problem()));
            return;
        }
        m_digest = digest->value_or(QByteArray());
        m_digestSource = QStringLiteral("Repr-Digest");
    }
    const QByteArray listed = m_listed.value(QFileInfo(m_file).fileName());
    if (!listed.isEmpty() && !m_digest.isEmpty() && listed != m_digest) {
        giveUp(tr("Il sito dà al file %1 un'impronta SHA-256 nell'intestazione Repr-Digest e "
                  "un'altra in %2: il file non viene preso.")
                   .arg(m_file, SiteDigest::ListFile));
        return;
    }
    if (!listed.isEmpty()) {
        m_digest = listed;
        m_digestSource = SiteDigest::ListFile;
    }
}

void PackDownload::take(const QByteArray &bytes)
{
    // Never more than the file's size is held: the first byte beyond it ends the transfer.
    if (m_bytes.size() + bytes.size() > m_size && m_step == Step::DigestList) {
        giveUp(listTooLarge());
        return;
    }
    if (m_bytes.size() + bytes.size() > m_size) {
        giveUp(tr("Il file %1 inviato dal sito è troppo grande: supera i %2 byte che gli indici "
                  "descrivono.")
                   .arg(m_file)
                   .arg(m_size));
        return;
    }
    m_bytes += bytes;
    m_hash.addData(bytes);
    if (m_step == Step::DigestList)
        return;
    setState(DownloadState::Receiving);
    emit progress(m_bytes.size(), m_size);
}

void PackDownload::fetched()
{
    m_stall->stop();
    m_rate->stop();
    if (m_fetch->failure() != HttpFetch::Failure::None) {
        giveUp(transferProblem());
        return;
    }
    switch (m_step) {
    case Step::DigestList: {
        const Result<QHash<QString, QByteArray>> listed = SiteDigest::fromList(m_bytes);
        if (!listed) {
            giveUp(tr("L'elenco delle impronte %1 del sito non è valido: %2.")
                       .arg(SiteDigest::ListFile, listed.problem()));
            return;
        }
        m_listed = *listed;
        fetch(Step::Pack);
        return;
    }
    case Step::Pack:
        if (!isSiteFile())
            return;
        // A pack that is plainly something else needs no title index.
        if (Result<> head = PackInstall::checkPackHead(m_plan, m_bytes); !head) {
            giveUp(head.problem());
            return;
        }
        m_pack = std::exchange(m_bytes, QByteArray());
        fetch(Step::Titles);
        return;
    case Step::Titles:
        if (isSiteFile())
            startCheck(std::exchange(m_bytes, QByteArray()));
        return;
    }
}

QString PackDownload::listTooLarge() const
{
    return tr("L'elenco delle impronte %1 del sito è troppo grande: supera i %2 KiB.")
        .arg(SiteDigest::ListFile)
        .arg(SiteDigest::MaxListSize / 1024);
}

bool PackDownload::isSiteFile()
{
    if (m_digest.isEmpty() || m_hash.result() == m_digest)
        return true;
    giveUp(tr("Il file %1 scaricato non è quello del sito: la sua impronta SHA-256 non è quella "
              "indicata da %2. Si è danneggiato per strada, o la copia del sito non è aggiornata.")
               .arg(m_file, m_digestSource));
    return false;
}

QString PackDownload::transferProblem() const
{
    const QString site = m_fetch->url().authority();
    switch (m_fetch->failure()) {
    case HttpFetch::Failure::None:
        break;
    case HttpFetch::Failure::Refused:
        return tr("Il sito %1 rifiuta la connessione: forse è spento, o l'indirizzo non è quello "
                  "giusto.")
            .arg(site);
    case HttpFetch::Failure::HostNotFound:
        return tr("Il sito %1 non si trova: controllare l'indirizzo e la rete.").arg(site);
    case HttpFetch::Failure::Network:
        return tr("La connessione con il sito %1 non è riuscita (errore di rete %2): controllare la rete.")
            .arg(site, m_fetch->detail());
    case HttpFetch::Failure::Secure:
        return tr("La connessione protetta con il sito %1 non è riuscita: il suo certificato non è "
                  "valido, o il sistema non offre connessioni https.")
            .arg(site);
    case HttpFetch::Failure::Closed:
        return tr("Il sito %1 ha chiuso la connessione senza inviare il file %2.").arg(site, m_file);
    case HttpFetch::Failure::Cut:
        // Of the length the site announced, else of what the indexes describe.
        return tr("Il trasferimento del file %1 si è interrotto dopo %2 byte su %3.")
            .arg(m_file)
            .arg(m_bytes.size())
            .arg(m_fetch->head().length >= 0 ? m_fetch->head().length : m_size);
    case HttpFetch::Failure::Malformed:
        return tr("Il sito ha risposto per il file %1 con dati che non sono una risposta HTTP valida.")
            .arg(m_file);
    case HttpFetch::Failure::HeadTooLarge:
        return tr("L'intestazione che il sito invia con il file %1 è troppo grande: supera i %2 KiB.")
            .arg(m_file)
            .arg(HttpFetch::MaxHead / 1024);
    case HttpFetch::Failure::Encoded:
        return tr("Il sito invia il file %1 compresso (%2), mentre il gioco lo chiede così com'è.")
            .arg(m_file, m_fetch->detail());
    case HttpFetch::Failure::RedirectRefused:
        if (m_fetch->detail().isEmpty())
            return tr("Il sito rimanda il file %1 a un indirizzo non valido, che il gioco non segue.")
                .arg(m_file);
        return tr("Il sito rimanda il file %1 a un indirizzo \"%2:\", che il gioco non segue: solo "
                  "http e https.")
            .arg(m_file, m_fetch->detail());
    case HttpFetch::Failure::RedirectInsecure:
        return tr("Il sito rimanda il file %1 da un indirizzo https a uno http, non protetto, che il "
                  "gioco non segue.")
            .arg(m_file);
    case HttpFetch::Failure::TooManyRedirects:
        return tr("Il sito rimanda ad altri indirizzi senza mai inviare il file %1.").arg(m_file);
    }
    return QString();
}

void PackDownload::rateTick()
{
    const qint64 read = m_fetch->bytesRead();
    if ((read - m_windowStart) * 1000 < qint64(m_minimumRate) * m_rate->interval()) {
        giveUp(tr("Il sito invia il file %1 troppo lentamente, meno di %2 byte al secondo.")
                   .arg(m_file)
                   .arg(m_minimumRate));
        return;
    }
    m_windowStart = read;
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
