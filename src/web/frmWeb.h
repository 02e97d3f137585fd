#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class QWebEngineLoadingInfo;
class QWebEngineView;

// The web window: the game's forum and the record page in an embedded browser. One window,
// reused by every ShowWeb, not modal; the menu stays beneath it. The browser engine starts only
// when the window first opens.
class frmWeb : public QWidget
{
    Q_OBJECT
public:
    explicit frmWeb(QWidget *parent = nullptr);

    // Opens (or reuses) the window, maximised, on a URL or an absolute file path. When the page
    // is the record form, `recordAnswered` learns whether the site took the post (a 2xx answer).
    static frmWeb *ShowWeb(const QString &address, std::function<void(bool)> recordAnswered = {});

    QWebEngineView *wbMain() const { return m_view; }

signals:
    // A document finished loading, successfully or not.
    void documentComplete(bool ok);

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void navigate(const QString &address);
    void loaded(bool ok);
    void loadingChanged(const QWebEngineLoadingInfo &info);

    QWebEngineView *m_view;
    std::function<void(bool)> m_recordAnswered;
};
