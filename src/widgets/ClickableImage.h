#pragma once

#include <QLabel>

// A picture that acts as a button: it reports a click released over it, and shows the hand
// pointer while it can be clicked.
class ClickableImage : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableImage(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool m_pressed = false;
};
