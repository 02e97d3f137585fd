#include "web/frmWeb.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>
#include <QWebEngineSettings>
#include <QWebEngineView>

namespace {
constexpr int Margin = 8;
constexpr int TextPoints = 10;

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

frmWeb::frmWeb(QWidget *parent)
    : QWidget(parent)
    , m_loading(new QLabel(tr("Caricamento della pagina…"), this))
    , m_silent(new QLabel(this))
{
    setObjectName(QStringLiteral("frmWeb"));
    setWindowTitle(tr("Lumivo Pro - WebBrowser"));
    resize(900, 640);
    m_loading->setAlignment(Qt::AlignCenter);
    m_silent->setObjectName(QStringLiteral("lblSilent"));
    m_silent->setWordWrap(true);
    m_silent->setStyleSheet(QStringLiteral("QLabel { color: #800000; }"));
    m_silent->hide();
    m_silence.setSingleShot(true);
    m_silence.setInterval(SilenceMs);
    connect(&m_silence, &QTimer::timeout, this, &frmWeb::siteSilent);
    setZoom(100);
    setAttribute(Qt::WA_DeleteOnClose);
    // Escape closes the window whichever part has the keyboard, the page too.
    qApp->installEventFilter(this);
}

void frmWeb::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // A window that is never drawn (started minimised) still gets its pages.
    QTimer::singleShot(1000, this, &frmWeb::startEngine);
}

bool frmWeb::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == this) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
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
    m_view->setZoomFactor(m_zoom / 100.0);
    placeViews();
    m_view->show();
    if (!m_waiting.isEmpty())
        m_view->setUrl(std::exchange(m_waiting, {}));
}

void frmWeb::navigate(const QUrl &url)
{
    m_silent->hide();
    placeViews();
    m_silence.start();
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

void frmWeb::setZoom(int percent)
{
    m_zoom = percent;
    QFont text = font();
    text.setPointSizeF(TextPoints * percent / 100.0);
    m_loading->setFont(text);
    m_silent->setFont(text);
    if (m_view)
        m_view->setZoomFactor(percent / 100.0);
    placeViews();
}

void frmWeb::siteSilent()
{
    m_silence.stop();
    m_silent->setText(!m_recordPage.isEmpty()
                          ? tr("Il sito del gioco non risponde: i tempi non sono stati inviati, potrai "
                               "inviarli di nuovo dal menu.")
                          : tr("Il sito del gioco non risponde: riprova più tardi."));
    m_silent->show();
    placeViews();
    answer(false);
}

void frmWeb::placeViews()
{
    QRect page(Margin, Margin, width() - 2 * Margin, height() - 2 * Margin);
    if (!m_silent->isHidden()) {
        const int line = m_silent->heightForWidth(page.width());
        m_silent->setGeometry(page.left(), page.top(), page.width(), line);
        page.setTop(page.top() + line + Margin);
    }
    m_loading->setGeometry(page);
    if (m_view)
        m_view->setGeometry(page);
}

void frmWeb::resizeEvent(QResizeEvent *event)
{
    placeViews();
    QWidget::resizeEvent(event);
}

void frmWeb::loaded(bool ok)
{
    m_silence.stop();
    if (ok && !m_silent->isHidden()) {
        m_silent->hide();
        placeViews();
    }
    // Some pages forget the zoom when another site's page comes.
    m_view->setZoomFactor(m_zoom / 100.0);
    if (!m_formPage.isEmpty() && m_view->url() == m_formPage) {
        m_formPage.clear();
        // The page's own script is for another browser: the form is posted from here.
        if (ok) {
            m_view->page()->runJavaScript(QStringLiteral("document.forms['record'].submit();"));
            // The post is a page of its own, which may be as slow to come.
            m_silence.start();
        } else {
            answer(false);
        }
    }
    emit pageLoaded();
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
