#pragma once

#include <QFrame>

class QLabel;

// The information panel laid over a play screen's pictures (fraInfo), with its text
// (lblMessage), word-wrapped in the largest size that fits. A click on the panel or on its
// text is one and the same click.
class InfoPanel : public QFrame
{
    Q_OBJECT
public:
    explicit InfoPanel(QWidget *parent = nullptr);

    QLabel *lblMessage() const { return m_message; }
    QString message() const;
    void setMessage(const QString &text);

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    // Places the text inside the margins, in the largest size that fits.
    void fitText();
    void restyle();

    QLabel *m_message;
    int m_border = 0;
};
