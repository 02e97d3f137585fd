#include "web/frmWeb.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "base/SiteAddress.h"

#include <QDir>
#include <QFileInfo>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {
constexpr int Margin = 8;
QPointer<frmWeb> webWindow;

bool isRecordForm(const QUrl &url)
{
    return url.isLocalFile() && QFileInfo(url.toLocalFile()).fileName() == QLatin1String("~record.htm");
}

bool isRecordPage(const QUrl &url)
{
    return url.adjusted(QUrl::RemoveQuery | QUrl::RemoveFragment) == SiteAddress::recordPage();
}

// Pages handed to the browser live only until it has read them.
void removeBrowserPages()
{
    QDir temp(GameFolder::path(GameFolder::TempDir));
    for (const QString &name : temp.entryList({QStringLiteral("~*")}, QDir::Files | QDir::Hidden))
        temp.remove(name);
}
} // namespace

frmWeb::frmWeb(QWidget *parent)
    : QWidget(parent)
    , m_view(new QWebEngineView(this))
{
    setObjectName(QStringLiteral("frmWeb"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Lumivo Pro - WebBrowser"));
    resize(900, 640);
    m_view->setObjectName(QStringLiteral("wbMain"));
    QWebEngineSettings *settings = m_view->settings();
    // The record form is a local page that posts to the site.
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, true);
    // Forms go out in UTF-8, which the site reads.
    settings->setDefaultTextEncoding(QStringLiteral("utf-8"));
    connect(m_view, &QWebEngineView::loadFinished, this, &frmWeb::loaded);
    connect(m_view->page(), &QWebEnginePage::loadingChanged, this, &frmWeb::loadingChanged);
}

frmWeb *frmWeb::ShowWeb(const QString &address, std::function<void(bool)> recordAnswered)
{
    if (!webWindow)
        webWindow = new frmWeb;
    webWindow->m_recordAnswered = std::move(recordAnswered);
    webWindow->showMaximized();
    webWindow->navigate(address);
    webWindow->raise();
    webWindow->activateWindow();
    return webWindow;
}

void frmWeb::navigate(const QString &address)
{
    const QUrl url = QFileInfo(address).isAbsolute() && !address.contains(QLatin1String("://"))
                         ? QUrl::fromLocalFile(address)
                         : QUrl(address);
    m_view->setUrl(url);
}

void frmWeb::resizeEvent(QResizeEvent *event)
{
    m_view->setGeometry(Margin, Margin, width() - 2 * Margin, height() - 2 * Margin);
    QWidget::resizeEvent(event);
}

void frmWeb::loaded(bool ok)
{
    const QUrl url = m_view->url();
    if (ok && isRecordForm(url)) {
        // The page's own script is for another browser: the form is posted from here.
        m_view->page()->runJavaScript(QStringLiteral("document.forms['record'].submit();"));
    }
    removeBrowserPages();
    emit documentComplete(ok);
}

void frmWeb::loadingChanged(const QWebEngineLoadingInfo &info)
{
    if (!m_recordAnswered || !isRecordPage(info.url()))
        return;
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus)
        return;
    // Only a page the site answered with 2xx means the times arrived; the engine reports the
    // answer's status as an "error" code even on success.
    const bool answered2xx = info.errorDomain() == QWebEngineLoadingInfo::HttpStatusCodeDomain
                             && info.errorCode() >= 200 && info.errorCode() <= 299;
    const bool taken = info.status() == QWebEngineLoadingInfo::LoadSucceededStatus && answered2xx;
    const auto answered = std::exchange(m_recordAnswered, {});
    answered(taken);
}
