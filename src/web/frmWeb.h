#pragma once

#include <QTimer>
#include <QUrl>
#include <QWidget>

class QLabel;
class QWebEngineLoadingInfo;
class QWebEngineView;

// The web window of lumivo-web: the game's forum and the record page in an embedded browser.
// One window, reused by every address the game sends while it is open. The window is on screen
// at once, saying that the page is loading; the browser engine, which takes most of a second to
// start, starts once it has been shown. Escape closes it (it goes once closed); it is drawn at the
// game's zoom.
class frmWeb : public QWidget
{
    Q_OBJECT
public:
    // How long a page may take to load before the window says that the site does not answer.
    static constexpr int SilenceMs = 15000;

    explicit frmWeb(QWidget *parent = nullptr);

    // Shows a URL or an absolute file path.
    void open(const QString &address);
    // Shows the record form page at `formPath` and posts it once loaded; recordAnswered then
    // tells whether `recordPage` answered the post with 2xx.
    void openRecord(const QUrl &recordPage, const QString &formPath);
    // Draws the window's texts and pages at `percent` of their size.
    void setZoom(int percent);

    // No page has loaded for SilenceMs: the window says so in a line of its own, and a record
    // post still awaited counts as not taken.
    void siteSilent();

signals:
    // A page has loaded (or failed to): the pages handed to the browser have been read.
    void pageLoaded();
    void recordAnswered(bool taken);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void startEngine();
    void navigate(const QUrl &url);
    void loaded(bool ok);
    void loadingChanged(const QWebEngineLoadingInfo &info);
    void answer(bool taken);
    void placeViews();

    QLabel *m_loading;
    // The line that says the site does not answer, above the page.
    QLabel *m_silent;
    QWebEngineView *m_view = nullptr;
    QTimer m_silence;
    int m_zoom = 100;
    // The page asked for before the engine was up.
    QUrl m_waiting;
    // The record post under way: the form page, and the page that answers it.
    QUrl m_formPage;
    QUrl m_recordPage;
};
