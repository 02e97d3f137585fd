#pragma once

#include <QLineEdit>

// The box under a picture in which the player types the film's title. Open, it takes typing;
// solved, it shows the stored title in grey and cannot be edited (it keeps its place in the
// tab order). Whether a text matches is decided by the play session, not here.
class TitleBox : public QLineEdit
{
    Q_OBJECT
public:
    enum class State { Open, Solved };

    explicit TitleBox(QWidget *parent = nullptr);

    State state() const { return m_state; }
    bool isSolved() const { return m_state == State::Solved; }

    // The picture's stored title, with its own capitals and punctuation.
    QString tag() const { return m_tag; }
    void setTag(const QString &title) { m_tag = title; }

    // Empty, editable, white.
    void showOpen();
    // The stored title, locked, grey.
    void showSolved();
    // A cell without a picture: empty, no title, disabled.
    void showEmpty();

    QColor background() const;

    static QColor openColor();
    static QColor solvedColor();
    // While an open box has the focus: the system's tooltip background.
    static QColor focusColor();
    // After an open box lost the focus: the system's window colour, which is the background of
    // text fields (QPalette::Base, not the grey of dialogs).
    static QColor unfocusedColor();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void setBackground(const QColor &colour);

    State m_state = State::Open;
    QString m_tag;
};
