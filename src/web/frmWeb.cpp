#include "web/frmWeb.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {
constexpr int Margin = 8;

QUrl withoutQuery(const QUrl &url)
{
    return url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment);
}

QUrl addressUrl(const QString &address)
{
    return QFileInfo(address).isAbsolute() && !address.contains(QLatin1String("://"))
               ? QUrl::fromLocalFile(address)
               : QUrl(address);
}
} // namespace

frmWeb::frmWeb(const QString &tempFolder, QWidget *parent)
    : QWidget(parent)
    , m_loading(new QLabel(tr("Caricamento della pagina…"), this))
    , m_tempFolder(tempFolder)
{
    setObjectName(QStringLiteral("frmWeb"));
    setWindowTitle(tr("Lumivo Pro - WebBrowser"));
    resize(900, 640);
    m_loading->setAlignment(Qt::AlignCenter);
    // A window that is never drawn (started minimised) still gets its pages.
    QTimer::singleShot(1000, this, &frmWeb::startEngine);
}

void frmWeb::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // Drawn once with its loading line: now the engine may take its time.
    if (!m_view)
        QTimer::singleShot(0, this, &frmWeb::startEngine);
}

void frmWeb::startEngine()
{
    if (m_view)
        return;
    m_view = new QWebEngineView(this);
    m_view->setObjectName(QStringLiteral("wbMain"));
    QWebEngineSettings *settings = m_view->settings();
    // The record form is a local page that posts to the site.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    // Forms go out in UTF-8, which the site reads.
    settings->setDefaultTextEncoding(QStringLiteral("utf-8"));
    connect(m_view, &QWebEngineView::loadFinished, this, &frmWeb::loaded);
    connect(m_view->page(), &QWebEnginePage::loadingChanged, this, &frmWeb::loadingChanged);
    // A page whose process died never answers: the times count as not sent.
    connect(m_view->page(), &QWebEnginePage::renderProcessTerminated, this, [this] { answer(false); });
    m_view->setGeometry(m_loading->geometry());
    m_view->show();
    if (!m_waiting.isEmpty())
        m_view->setUrl(std::exchange(m_waiting, {}));
}

void frmWeb::navigate(const QUrl &url)
{
    if (m_view)
        m_view->setUrl(url);
    else
        m_waiting = url;
}

void frmWeb::open(const QString &address)
{
    // The game settles a record post it stops waiting for; its late answer must not settle the next.
    m_formPage.clear();
    m_recordPage.clear();
    navigate(addressUrl(address));
}

void frmWeb::openRecord(const QUrl &recordPage, const QString &formPath)
{
    open(formPath);
    m_formPage = addressUrl(formPath);
    m_recordPage = withoutQuery(recordPage);
}

void frmWeb::resizeEvent(QResizeEvent *event)
{
    const QRect page(Margin, Margin, width() - 2 * Margin, height() - 2 * Margin);
    m_loading->setGeometry(page);
    if (m_view)
        m_view->setGeometry(page);
    QWidget::resizeEvent(event);
}

void frmWeb::loaded(bool ok)
{
    if (!m_formPage.isEmpty() && m_view->url() == m_formPage) {
        m_formPage.clear();
        // The page's own script is for another browser: the form is posted from here.
        if (ok)
            m_view->page()->runJavaScript(QStringLiteral("document.forms['record'].submit();"));
        else
            answer(false);
    }
    // Pages handed to the browser live only until it has read them.
    QDir temp(m_tempFolder);
    for (const QString &name : temp.entryList({QStringLiteral("~*")}, QDir::Files | QDir::Hidden))
        temp.remove(name);
}

void frmWeb::loadingChanged(const QWebEngineLoadingInfo &info)
{
    if (m_recordPage.isEmpty() || withoutQuery(info.url()) != m_recordPage
        || info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
        return;
    // Only a page the site answered with 2xx means the times arrived; the engine reports the
    // answer's status as an "error" code even on success.
    const bool answered2xx = info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain
                             && info.errorCode() >= 200 && info.errorCode() <= 299;
    answer(info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && answered2xx);
}

void frmWeb::answer(bool taken)
{
    if (m_recordPage.isEmpty())
        return;
    m_formPage.clear();
    m_recordPage.clear();
    emit recordAnswered(taken);
}
