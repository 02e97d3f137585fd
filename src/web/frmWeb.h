#pragma once

#include <QUrl>
#include <QWidget>

class QLabel;
class QWebEngineLoadingInfo;
class QWebEngineView;

// The web window of lumivo-web: the game's forum and the record page in an embedded browser.
// One window, reused by every address the game sends while it is open. The window is on screen
// at once, saying that the page is loading; the browser engine, which takes most of a second to
// start, starts once it has been drawn.
class frmWeb : public QWidget
{
    Q_OBJECT
public:
    // `tempFolder` is the game's Temp/, whose "~" pages are removed once the browser read them.
    explicit frmWeb(const QString &tempFolder, QWidget *parent = nullptr);

    // Shows a URL or an absolute file path.
    void open(const QString &address);
    // Shows the record form page at `formPath` and posts it once loaded; recordAnswered then
    // tells whether `recordPage` answered the post with 2xx.
    void openRecord(const QUrl &recordPage, const QString &formPath);

signals:
    void recordAnswered(bool taken);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void startEngine();
    void navigate(const QUrl &url);
    void loaded(bool ok);
    void loadingChanged(const QWebEngineLoadingInfo &info);
    void answer(bool taken);

    QLabel *m_loading;
    QWebEngineView *m_view = nullptr;
    QString m_tempFolder;
    // The page asked for before the engine was up.
    QUrl m_waiting;
    // The record post under way: the form page, and the page that answers it.
    QUrl m_formPage;
    QUrl m_recordPage;
};
