#pragma once

#include <QList>
#include <QObject>
#include <functional>

class QWidget;

// The keyboard on a screen of pictures and links. The controls it reaches are those that take the
// Tab focus (Qt::TabFocus), are on show and enabled, and are what a click at their middle reaches:
// a picture under a mask or under an open panel is passed over. Tab and Shift+Tab go through them
// in reading order, round and round; an arrow key goes to the nearest one that way.
class KeyboardFocus : public QObject
{
    Q_OBJECT
public:
    // Takes those keys on every control of `screen`, before the control sees them.
    explicit KeyboardFocus(QWidget *screen);

    // The reachable controls inside `scope` (the screen or a part of it), in reading order.
    static QList<QWidget *> reachable(QWidget *scope);

    // Gives the focus to the first reachable control inside `scope`; false when there is none.
    static bool focusFirst(QWidget *scope);
    // Leaves the focus where it is when a reachable control of the screen has it, and gives it to
    // the first reachable control inside `scope` otherwise.
    static void settle(QWidget *scope);

    // Where an arrow key leads from a reachable control, when a screen decides it: the control to
    // go to (`from` itself to stay), or null for the nearest one that way.
    using ArrowRule = std::function<QWidget *(QWidget *from, int key)>;
    void setArrowRule(ArrowRule rule) { m_arrowRule = std::move(rule); }

    // Moves the focus for Tab, Shift+Tab or an arrow key: true when the key was one of them.
    bool move(int key);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_screen;
    ArrowRule m_arrowRule;
};
