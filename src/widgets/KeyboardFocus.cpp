#include "widgets/KeyboardFocus.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include <algorithm>
#include <limits>

namespace {
QRect placeOn(const QWidget *control, const QWidget *window)
{
    return QRect(control->mapTo(window, QPoint(0, 0)), control->size());
}

// The nearest of `controls` from `from` in the direction of the arrow `key`: along that way
// counts once, off it twice, so that the next one in the same row or column wins.
QWidget *nearest(const QList<QWidget *> &controls, QWidget *from, int key)
{
    const QWidget *window = from->window();
    const QPoint start = placeOn(from, window).center();
    QWidget *best = nullptr;
    int bestCost = std::numeric_limits<int>::max();
    for (QWidget *control : controls) {
        const QPoint step = placeOn(control, window).center() - start;
        int along = 0, across = 0;
        switch (key) {
        case Qt::Key_Left:
            along = -step.x(), across = step.y();
            break;
        case Qt::Key_Right:
            along = step.x(), across = step.y();
            break;
        case Qt::Key_Up:
            along = -step.y(), across = step.x();
            break;
        default:
            along = step.y(), across = step.x();
            break;
        }
        const int cost = along + 2 * qAbs(across);
        if (along > 0 && cost < bestCost) {
            best = control;
            bestCost = cost;
        }
    }
    return best;
}
} // namespace

KeyboardFocus::KeyboardFocus(QWidget *screen)
    : QObject(screen)
    , m_screen(screen)
{
    qApp->installEventFilter(this);
}

QList<QWidget *> KeyboardFocus::reachable(QWidget *scope)
{
    QWidget *window = scope->window();
    QList<QWidget *> controls;
    for (QWidget *control : scope->findChildren<QWidget *>()) {
        if ((control->focusPolicy() & Qt::TabFocus) && control->isVisible() && control->isEnabled()
            && window->childAt(placeOn(control, window).center()) == control)
            controls.append(control);
    }
    std::stable_sort(controls.begin(), controls.end(), [window](QWidget *a, QWidget *b) {
        const QPoint p = placeOn(a, window).topLeft(), q = placeOn(b, window).topLeft();
        return p.y() != q.y() ? p.y() < q.y() : p.x() < q.x();
    });
    return controls;
}

bool KeyboardFocus::focusFirst(QWidget *scope)
{
    const QList<QWidget *> controls = reachable(scope);
    if (controls.isEmpty())
        return false;
    controls.first()->setFocus(Qt::OtherFocusReason);
    return true;
}

void KeyboardFocus::settle(QWidget *scope)
{
    if (!reachable(scope->window()).contains(scope->window()->focusWidget()))
        focusFirst(scope);
}

bool KeyboardFocus::move(int key)
{
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab && key != Qt::Key_Left && key != Qt::Key_Right
        && key != Qt::Key_Up && key != Qt::Key_Down)
        return false;
    const QList<QWidget *> controls = reachable(m_screen);
    if (controls.isEmpty())
        return true;
    QWidget *current = m_screen->focusWidget();
    const int at = int(controls.indexOf(current));
    QWidget *next = nullptr;
    if (at < 0)
        next = controls.first();
    else if (key == Qt::Key_Tab)
        next = controls.at((at + 1) % controls.size());
    else if (key == Qt::Key_Backtab)
        next = controls.at((at + controls.size() - 1) % controls.size());
    else if (QWidget *ruled = m_arrowRule ? m_arrowRule(current, key) : nullptr)
        next = ruled;
    else
        next = nearest(controls, current, key);
    if (next)
        next->setFocus(key == Qt::Key_Backtab ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    return true;
}

bool KeyboardFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()
        && static_cast<QWidget *>(watched)->window() == m_screen) {
        const auto *key = static_cast<QKeyEvent *>(event);
        // Shift goes with Tab only (Shift+Tab comes as Backtab); Ctrl and Alt keys are others'.
        const Qt::KeyboardModifiers extra = key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
        const bool shifted = key->modifiers() & Qt::ShiftModifier;
        if (extra == Qt::NoModifier
            && (!shifted || key->key() == Qt::Key_Backtab || key->key() == Qt::Key_Tab))
            return move(shifted && key->key() == Qt::Key_Tab ? int(Qt::Key_Backtab) : key->key());
    }
    return QObject::eventFilter(watched, event);
}
