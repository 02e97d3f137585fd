#include "shell/WebCompanion.h"

#include "base/Language.h"
#include "base/SiteAddress.h"
#include "widgets/Messages.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#if LUMIVO_WEBENGINE
#include "base/GameFolder.h"
#include "content/Extraction.h"
#include "shell/RecordForm.h"
#include "widgets/Zoom.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#else
#include "profile/RecordValue.h"

#include <QDesktopServices>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#endif

namespace WebCompanion {

namespace {
// The site's answer to a record post has this long to come.
constexpr int AnswerTimeoutMs = 60000;
} // namespace

#if LUMIVO_WEBENGINE

namespace {
// The engine's first start on a slow machine takes seconds; one that shows no window by then
// is stuck.
constexpr int ReadyTimeoutMs = 30000;
// lumivo-web's answers are a few bytes; anything longer is not one of them.
constexpr qsizetype MaxAnswerLine = 64;
// The record form page in Temp/, for the web window to post.
const QString RecordFormName = QStringLiteral("~record.htm");

// The pages handed to the browser live until it has read a page: they are removed here, between
// two events of the game, so never while the game is writing or reading its own "~" files (the
// page list). The record form stays while its post is under way.
void removeBrowserPages(bool keepRecordForm)
{
    QDir temp(GameFolder::path(GameFolder::TempDir));
    for (const QString &name :
         temp.entryList({QStringLiteral("~*")}, QDir::Files | QDir::Hidden | QDir::System)) {
        if (!keepRecordForm || name != RecordFormName)
            temp.remove(name);
    }
}

QString recordUnsent()
{
    return QCoreApplication::translate("WebCompanion",
                                       "I tempi non sono stati inviati: potrai inviarli di nuovo dal menu.");
}

QString &programPath()
{
    static QString path;
    return path;
}

QString program()
{
    return programPath().isEmpty() ? QCoreApplication::applicationDirPath() + QStringLiteral("/lumivo-web")
                                   : programPath();
}

// One running lumivo-web: its window, the commands sent to it and the record answer awaited.
class Companion : public QObject
{
public:
    explicit Companion(QObject *parent)
        : QObject(parent)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_readyTimer.setSingleShot(true);
        m_answerTimer.setSingleShot(true);
        connect(&m_readyTimer, &QTimer::timeout, this, [this] {
            report(QCoreApplication::translate(
                       "WebCompanion",
                       "Il browser del gioco non si è aperto entro %1 secondi ed è stato chiuso: "
                       "riprova più tardi.")
                       .arg(ReadyTimeoutMs / 1000));
        });
        connect(&m_answerTimer, &QTimer::timeout, this, [this] { settle(false); });
        // The web window is drawn at the game's zoom.
        connect(&Zoom::notifier(), &Zoom::Notifier::changed, this, [this](int percent) {
            if (m_process.state() == QProcess::Running)
                m_process.write(QByteArrayLiteral("zoom ") + QByteArray::number(percent) + '\n');
        });
        connect(&m_process, &QProcess::readyReadStandardOutput, this, &Companion::readAnswers);
        connect(&m_process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                report(
                    QCoreApplication::translate(
                        "WebCompanion", "Impossibile avviare il browser del gioco (%1): reinstalla il gioco.")
                        .arg(QDir::toNativeSeparators(m_process.program())));
        });
        connect(&m_process, &QProcess::finished, this, [this](int code, QProcess::ExitStatus status) {
            // Closed by the player after it came up: nothing went wrong.
            if (status == QProcess::NormalExit && code == 0 && m_ready)
                report({});
            else
                report(QCoreApplication::translate(
                    "WebCompanion", "Il browser del gioco si è chiuso per un errore: riprova; se si ripete, "
                                    "reinstalla il gioco."));
        });
    }

    // The game's end closes the web window too: its input ends, and it leaves.
    ~Companion() override
    {
        m_process.disconnect(this);
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel();
        if (!m_process.waitForFinished(2000))
            m_process.kill();
        m_process.waitForFinished(2000);
    }

    // Sends one command; `answered`, when set, awaits a record answer and `unsent` names what
    // the player is told was not done if the window goes first.
    void send(const QString &command, const QString &unsent, std::function<void(bool)> answered = {})
    {
        settle(false);
        m_unsent = unsent;
        m_answered = std::move(answered);
        if (m_answered)
            m_answerTimer.start(AnswerTimeoutMs);
        if (m_process.state() == QProcess::NotRunning && !m_ended) {
            m_process.start(program(), {QStringLiteral("--lang"), Language::code(Language::current()),
                                        QStringLiteral("--zoom"), QString::number(Zoom::percent())});
            m_readyTimer.start(ReadyTimeoutMs);
        }
        // Written before the window is up, the command waits in the pipe.
        if (!m_ended)
            m_process.write(command.toUtf8() + '\n');
    }

    // Stops waiting for a record answer: it counts as not taken.
    void settle(bool taken)
    {
        m_answerTimer.stop();
        if (const auto answered = std::exchange(m_answered, {})) {
            // Posted or given up, the form has served.
            QFile::remove(tempPath(RecordFormName));
            answered(taken);
        }
    }

    bool ended() const { return m_ended; }
    qint64 processId() const { return m_process.processId(); }

private:
    void readAnswers()
    {
        m_buffer += m_process.readAllStandardOutput();
        for (qsizetype end; (end = m_buffer.indexOf('\n')) >= 0;) {
            const QByteArray line = m_buffer.left(end).trimmed();
            m_buffer.remove(0, end + 1);
            if (line == "ready") {
                m_ready = true;
                m_readyTimer.stop();
            } else if (line == "record 1" || line == "record 0") {
                settle(line == "record 1");
            } else if (line == "loaded") {
                removeBrowserPages(bool(m_answered));
            }
        }
        if (m_buffer.size() > MaxAnswerLine)
            m_buffer.clear();
    }

    // The window is gone (or never came): what was awaited is settled, the player told of a
    // `problem`, and the next request starts a new window.
    void report(const QString &problem)
    {
        if (m_ended)
            return;
        m_ended = true;
        m_readyTimer.stop();
        m_process.disconnect(this);
        if (m_process.state() != QProcess::NotRunning)
            m_process.kill();
        const bool recordAwaited = bool(m_answered);
        settle(false);
        deleteLater();
        if (!problem.isEmpty())
            Messages::warn(problem + QLatin1Char(' ') + (recordAwaited ? recordUnsent() : m_unsent));
    }

    QProcess m_process;
    QTimer m_readyTimer;
    QTimer m_answerTimer;
    QByteArray m_buffer;
    bool m_ready = false;
    bool m_ended = false;
    QString m_unsent;
    std::function<void(bool)> m_answered;
};

QPointer<Companion> running;

Companion &companion()
{
    if (!running || running->ended())
        running = new Companion(QCoreApplication::instance());
    return *running;
}
} // namespace

void setProgram(const QString &path)
{
    programPath() = path;
}

qint64 processId()
{
    return running ? running->processId() : 0;
}

void open(const QUrl &address)
{
    const QString shown = address.toString(QUrl::FullyEncoded);
    companion().send(QStringLiteral("open ") + shown,
                     QCoreApplication::translate("WebCompanion", "Puoi aprire %1 nel tuo browser.")
                         .arg(address.toDisplayString()));
}

void sendRecord(const QString &name, const std::array<qint32, 4> &times, std::function<void(bool)> answered)
{
    // A post still awaited is given up before its form is replaced.
    companion().settle(false);
    const QString path = tempPath(RecordFormName);
    // Written beside and renamed over, never through a link left in Temp/.
    if (!writeTempFile(RecordFormName, RecordForm::page(SiteAddress::recordPage(), name, times))) {
        Messages::warn(QCoreApplication::translate(
                           "WebCompanion",
                           "Impossibile scrivere la pagina %1: controlla che la cartella Temp si "
                           "possa scrivere. I tempi non sono stati inviati.")
                           .arg(QDir::toNativeSeparators(path)));
        answered(false);
        return;
    }
    companion().send(
        QStringLiteral("record %1 %2")
            .arg(SiteAddress::recordPage().toString(QUrl::FullyEncoded), QDir(path).absolutePath()),
        recordUnsent(), std::move(answered));
}

#else

namespace {
// The site's answer is read only for its status: its body is dropped as it comes.
QNetworkAccessManager &network()
{
    static QPointer<QNetworkAccessManager> manager;
    if (!manager)
        manager = new QNetworkAccessManager(QCoreApplication::instance());
    return *manager;
}

QByteArray formField(const char *name, const QString &value)
{
    return QByteArray(name) + '=' + QUrl::toPercentEncoding(value);
}
} // namespace

void open(const QUrl &address)
{
    if (!QDesktopServices::openUrl(address))
        Messages::warn(
            QCoreApplication::translate("WebCompanion",
                                        "Impossibile aprire il browser del sistema: apri %1 nel tuo browser.")
                .arg(address.toDisplayString()));
}

// Without a browser of the game's own the form is posted from here, as the record page would
// post it: the game learns the site's answer directly, and the player then sees the ranking in
// the system's browser.
void sendRecord(const QString &name, const std::array<qint32, 4> &times, std::function<void(bool)> answered)
{
    QNetworkRequest request(SiteAddress::recordPage());
    request.setHeader(QNetworkRequest::ContentTypeHeader,
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.setTransferTimeout(AnswerTimeoutMs);
    QNetworkReply *reply
        = network().post(request, formField("usr", name) + '&' + formField("val", RecordValue::make(times)));
    QObject::connect(reply, &QNetworkReply::readyRead, reply,
                     [reply] { reply->skip(reply->bytesAvailable()); });
    // The transfer timeout counts silence only: a site that drips its answer is cut off too.
    QTimer::singleShot(AnswerTimeoutMs, reply, &QNetworkReply::abort);
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, answered = std::move(answered)] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const bool taken = reply->error() == QNetworkReply::NoError && status >= 200 && status <= 299;
        answered(taken);
        if (taken) {
            WebCompanion::open(SiteAddress::rankingPage());
            return;
        }
        const QString why
            = status != 0 ? QCoreApplication::translate("WebCompanion", "il sito ha risposto %1").arg(status)
                          : reply->errorString();
        Messages::warn(QCoreApplication::translate(
                           "WebCompanion",
                           "I tempi non sono arrivati al sito %1 (%2): potrai inviarli di nuovo dal menu.")
                           .arg(SiteAddress::base().toDisplayString(), why));
    });
}

#endif

} // namespace WebCompanion
