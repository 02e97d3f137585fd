#include "shell/DownloadWindow.h"

#include "content/CategoryTable.h"
#include "content/PackDownload.h"
#include "widgets/Zoom.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>

namespace {
// Room for six lines of message: the cause of a failure follows the two of the notice.
const QSize ClientSize(400, 160);
} // namespace

DownloadWindow::DownloadWindow(const CategoryTable &table, int category, QWidget *parent)
    : QDialog(parent)
    , m_category(category)
    , m_download(new PackDownload(table, this))
{
    setObjectName(QStringLiteral("frmDownload"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Update"));
    setFixedSize(ClientSize);
    setFont(QFont(QStringLiteral("Verdana"), 9));

    cmdDownload = new QPushButton(tr("&Download"), this);
    cmdDownload->setObjectName(QStringLiteral("cmdDownload"));
    cmdDownload->setGeometry(12, 12, 120, 30);
    cmdDownload->setDefault(true);
    connect(cmdDownload, &QPushButton::clicked, this, &DownloadWindow::startDownload);

    prbDownload = new QProgressBar(this);
    prbDownload->setObjectName(QStringLiteral("prbDownload"));
    prbDownload->setGeometry(144, 14, 244, 26);
    prbDownload->setRange(0, 1);
    prbDownload->setValue(0);
    prbDownload->setTextVisible(true);
    prbDownload->setFormat(tr("pronto"));

    txtMessage = new QPlainTextEdit(this);
    txtMessage->setObjectName(QStringLiteral("txtMessage"));
    txtMessage->setGeometry(12, 56, 376, 92);
    txtMessage->setReadOnly(true);
    txtMessage->setFocusPolicy(Qt::NoFocus);
    // A font of its own: with a style sheet the window's font does not reach it, nor the zoom.
    txtMessage->setFont(font());
    txtMessage->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: #d4d4d4; color: #404040; border: 1px solid #a0a0a0; }"));
    setTabOrder(cmdDownload, txtMessage);

    Zoom::addKeys(this);
    Zoom::apply(this);
    connect(m_download, &PackDownload::stateChanged, this, &DownloadWindow::showState);
    connect(m_download, &PackDownload::progress, this, &DownloadWindow::showProgress);
}

void DownloadWindow::startDownload()
{
    prbDownload->setRange(0, 1);
    prbDownload->setValue(0);
    prbDownload->setFormat(tr("connessione…"));
    m_download->start(m_category);
}

void DownloadWindow::showState(DownloadState state)
{
    const DownloadView view = viewOf(state);
    // The window stays enabled for its close box: a player is never locked in by a silent site.
    cmdDownload->setEnabled(view.buttonEnabled);
    prbDownload->setEnabled(view.windowEnabled || view.busyPointer);
    if (view.busyPointer)
        setCursor(Qt::BusyCursor);
    else
        unsetCursor();
    QString message = view.message;
    if (state == DownloadState::Failed && !m_download->problem().isEmpty())
        message += QLatin1Char(' ') + m_download->problem();
    txtMessage->setPlainText(message);
    switch (state) {
    case DownloadState::Checking:
        prbDownload->setRange(0, 0);
        prbDownload->setFormat(tr("controllo…"));
        break;
    case DownloadState::Done:
        prbDownload->setRange(0, 1);
        prbDownload->setValue(1);
        prbDownload->setFormat(tr("completato"));
        break;
    case DownloadState::Failed:
        // Empty, never full: a full bar reads as a finished download whatever the text says.
        prbDownload->setRange(0, 1);
        prbDownload->setValue(0);
        prbDownload->setFormat(tr("non riuscito"));
        break;
    default:
        break;
    }
}

void DownloadWindow::showProgress(qint64 received, qint64 total)
{
    const auto kib = [](qint64 bytes) { return QString::number((bytes + 1023) / 1024); };
    if (total > 0) {
        prbDownload->setRange(0, 1000);
        prbDownload->setValue(int(received * 1000 / total));
        prbDownload->setFormat(tr("%1 di %2 KB").arg(kib(received), kib(total)));
    } else {
        prbDownload->setRange(0, 0);
        prbDownload->setFormat(tr("%1 KB").arg(kib(received)));
    }
}

bool DownloadWindow::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate)
        setWindowTitle(tr("Download: %1").arg(CategoryTable::name(m_category)));
    return QDialog::event(event);
}

void DownloadWindow::closeEvent(QCloseEvent *event)
{
    m_download->cancel();
    QDialog::closeEvent(event);
}
