#pragma once

#include "content/DownloadState.h"

#include <QDialog>

class PackDownload;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The download window: fetches one category's pack and the title index from the game's web
// site, over the menu, with a progress bar. Closing it at any time cancels the transfer and
// leaves Data/ as it was.
class frmDownload : public QDialog
{
    Q_OBJECT
public:
    explicit frmDownload(QWidget *parent = nullptr);

    // The category to download, as decimal text.
    QString strGruppo;

    PackDownload &download() const { return *m_download; }

public slots:
    void cmdDownload_Click();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showState(DownloadState state);
    void showProgress(qint64 received, qint64 total);

    PackDownload *m_download;
    QPushButton *cmdDownload;
    QPlainTextEdit *txtMessage;
    QProgressBar *prbDownload;
};
