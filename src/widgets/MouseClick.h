#pragma once

#include <QObject>

class QWidget;

// A click of the left button on a widget: pressed on it (or on a child that passes the press up)
// and released over it; a double click is two. The widget's presses and releases are the click's
// alone.
class MouseClick : public QObject
{
    Q_OBJECT
public:
    explicit MouseClick(QWidget *widget);

signals:
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_widget;
    bool m_pressed = false;
};
