#pragma once

#include <QLabel>

// A picture that acts as a button: it reports a click released over it, and shows the hand
// pointer while it can be clicked. Given the Tab focus policy it is one the keyboard reaches (see
// KeyboardFocus): with the focus a picture gets a frame around it and a text link a light
// background, and Enter or Space on it is its click.
class ClickableImage : public QLabel
{
    Q_OBJECT
public:
    explicit ClickableImage(QWidget *parent = nullptr);

    // Rounds the focus frame's corners as the picture's own are.
    void setFocusRadius(int radius) { m_focusRadius = radius; }

    // The focus frame's width outside the picture, at 100 %: it grows with the zoom.
    static constexpr int FocusWidth = 3;

signals:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // Lays the focus frame around the picture while it has the focus, above whatever lies over
    // the picture's edge; hides it otherwise.
    void placeFocusFrame();

    int m_focusRadius = 0;
    QWidget *m_focusFrame = nullptr;
};
