#pragma once

#include "content/DownloadState.h"

#include <QDialog>

class CategoryTable;
class PackDownload;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

// The download window: fetches one category's pack and the title index from the game's web
// site, over the menu, with a progress bar. Closing it at any time cancels the transfer and
// leaves Data/ as it was.
class DownloadWindow : public QDialog
{
    Q_OBJECT
public:
    DownloadWindow(const CategoryTable &table, int category, QWidget *parent = nullptr);

public slots:
    // The Download button: fetches the category's pack and the title index.
    void startDownload();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void showState(DownloadState state);
    void showProgress(qint64 received, qint64 total);

    int m_category;
    PackDownload *m_download;
    QPushButton *cmdDownload;
    QPlainTextEdit *txtMessage;
    QProgressBar *prbDownload;
};
