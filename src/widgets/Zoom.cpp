#include "widgets/Zoom.h"

#include "base/ZoomSteps.h"
#include "widgets/Artwork.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QWidget>
#include <QWindow>

namespace Zoom {

namespace {
// The layout's values of a widget, kept as properties the first time the zoom meets it.
const char *const LayoutGeometry = "lumivoLayoutGeometry";
const char *const LayoutFont = "lumivoLayoutFont";
const char *const LayoutFixedSize = "lumivoLayoutFixedSize";
const char *const ArtworkName = "lumivoArtwork";
const char *const Applied = "lumivoZoomApplied";
const char *const Managed = "lumivoZoomManaged";
const char *const SizesItself = "lumivoZoomSizesItself";
const char *const FollowsScreen = "lumivoZoomFollowsScreen";
// Where the zoom put a window's middle, and the place that gave: a window the player has not moved
// since keeps that middle exactly, however often it grows and shrinks.
const char *const Middle = "lumivoZoomMiddle";
const char *const PlacedAt = "lumivoZoomPlacedAt";

// What the zoom is fitted to.
struct State {
    int current = 100;
    int wished = 100;
    QSize largest;
    QSize available;
};

State &state()
{
    static State value;
    return value;
}

int &current()
{
    return state().current;
}

// The window manager's frame around a window, as a window on show has it; before one is, room for
// a title bar and borders.
QSize frameAllowance()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->property(Applied).toBool() && window->isVisible()
            && window->frameGeometry().size() != window->size())
            return window->frameGeometry().size() - window->size();
    }
    return QSize(16, 48);
}

QRect scaledRect(const QRect &layout)
{
    // Edges are scaled, not sizes, so neighbours that touch at 100 % still touch.
    const auto edge = [](int pixels) { return qRound(pixels * factor()); };
    return QRect(QPoint(edge(layout.left()), edge(layout.top())),
                 QPoint(edge(layout.left() + layout.width()) - 1, edge(layout.top() + layout.height()) - 1));
}

void scaleFont(QWidget *widget)
{
    // Only a font of the widget's own: the others follow their parent's.
    if (!widget->testAttribute(Qt::WA_SetFont))
        return;
    if (!widget->property(LayoutFont).isValid())
        widget->setProperty(LayoutFont, widget->font());
    widget->setFont(scaled(widget->property(LayoutFont).value<QFont>()));
}

void drawArtwork(QLabel *label)
{
    const QString name = label->property(ArtworkName).toString();
    if (!name.isEmpty())
        label->setPixmap(Artwork::pixmap(name, label->size(), label));
}

void scaleChild(QWidget *widget)
{
    if (widget->property(Managed).toBool())
        return;
    if (!widget->property(LayoutGeometry).isValid())
        widget->setProperty(LayoutGeometry, widget->geometry());
    const QRect layout = widget->property(LayoutGeometry).toRect();
    scaleFont(widget);
    if (widget->property(SizesItself).toBool()) {
        widget->move(scaledRect(layout).topLeft());
        widget->adjustSize();
    } else {
        widget->setGeometry(scaledRect(layout));
    }
    if (auto *label = qobject_cast<QLabel *>(widget))
        drawArtwork(label);
}

void scaleTree(QWidget *parent)
{
    for (QObject *object : parent->children()) {
        auto *child = qobject_cast<QWidget *>(object);
        // Windows of their own and what scroll areas and layouts place are not the screen's layout.
        if (!child || child->isWindow())
            continue;
        if (!parent->layout())
            scaleChild(child);
        if (!qobject_cast<QAbstractScrollArea *>(child))
            scaleTree(child);
    }
}
// Puts the window, its frame with it, with its middle at `middle`, wholly on its screen when it can.
void moveInside(QWidget *window, const QPointF &middle)
{
    // move() places the frame's corner: the frame counts in both the size and the place.
    const QSize frame = window->frameGeometry().size();
    QPoint topLeft(qRound(middle.x() - frame.width() / 2.0), qRound(middle.y() - frame.height() / 2.0));
    if (const QScreen *screen = window->screen()) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(qMax(area.left(), qMin(topLeft.x(), area.left() + area.width() - frame.width())));
        topLeft.setY(qMax(area.top(), qMin(topLeft.y(), area.top() + area.height() - frame.height())));
    }
    window->move(topLeft);
    window->setProperty(Middle, middle);
    window->setProperty(PlacedAt, window->pos());
}

QPointF middleOf(const QWidget *window)
{
    if (window->property(PlacedAt).toPoint() == window->pos() && window->property(Middle).isValid())
        return window->property(Middle).toPointF();
    return QRectF(window->frameGeometry()).center();
}

// Draws every window of the game at the step that fits now.
void settle()
{
    State &now = state();
    const int percent = ZoomSteps::atMost(now.wished, steps());
    if (percent == now.current)
        return;
    now.current = percent;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->property(Applied).toBool())
            apply(window);
    }
    emit notifier().changed(percent);
}

// A window that moves to another screen fits the zoom to that screen.
void followScreen(QWidget *window)
{
    if (window->property(FollowsScreen).toBool())
        return;
    // Made now, if it is not yet, so that its screen is known before it shows.
    window->winId();
    QWindow *handle = window->windowHandle();
    if (!handle)
        return;
    window->setProperty(FollowsScreen, true);
    QObject::connect(handle, &QWindow::screenChanged, window, [](QScreen *screen) {
        if (screen)
            fitTo(screen->availableGeometry().size());
    });
}
} // namespace

int percent()
{
    return current();
}

qreal factor()
{
    return current() / 100.0;
}

void setPercent(int percent)
{
    percent = ZoomSteps::valid(percent);
    state().wished = percent;
    QSettings().setValue(QStringLiteral("zoom"), percent);
    settle();
}

void load()
{
    state().wished = ZoomSteps::valid(QSettings().value(QStringLiteral("zoom"), 100).toInt());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        state().available = screen->availableGeometry().size();
    current() = ZoomSteps::atMost(state().wished, steps());
}

void setLargestWindow(const QSize &layout)
{
    state().largest = state().largest.expandedTo(layout);
    settle();
}

void fitTo(const QSize &available)
{
    state().available = available;
    settle();
}

QVector<int> steps()
{
    const State &now = state();
    if (now.largest.isEmpty() || now.available.isEmpty())
        return QVector<int>(ZoomSteps::Percents.begin(), ZoomSteps::Percents.end());
    return ZoomSteps::fitting(now.largest, frameAllowance(), now.available);
}

Notifier &notifier()
{
    static Notifier instance;
    return instance;
}

void apply(QWidget *window)
{
    window->setProperty(Applied, true);
    const QPointF middle = middleOf(window);
    scaleFont(window);
    if (window->minimumSize() == window->maximumSize()) {
        if (!window->property(LayoutFixedSize).isValid())
            window->setProperty(LayoutFixedSize, window->size());
        const QSize layout = window->property(LayoutFixedSize).toSize();
        // A window larger than any known counts for the steps that fit, before it is drawn.
        if (layout != layout.boundedTo(state().largest))
            setLargestWindow(layout);
        window->setFixedSize(scaledRect(QRect(QPoint(0, 0), layout)).size());
    }
    scaleTree(window);
    // A window that grows or shrinks on show keeps its middle where it was.
    if (window->isVisible())
        moveInside(window, middle);
    followScreen(window);
}

void applyInside(QWidget *container)
{
    if (container->window()->property(Applied).toBool())
        scaleTree(container);
}

void centre(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        moveInside(window, QRectF(screen->availableGeometry()).center());
}

void place(QWidget *widget, const QRect &layout)
{
    widget->setProperty(LayoutGeometry, layout);
    widget->setGeometry(scaledRect(layout));
}

void leaveAlone(QWidget *widget)
{
    widget->setProperty(Managed, true);
}

void sizesItself(QWidget *widget)
{
    widget->setProperty(SizesItself, true);
}

void addKeys(QWidget *window)
{
    const auto add = [window](const QKeySequence &keys, const std::function<int()> &percent) {
        auto *shortcut = new QShortcut(keys, window);
        QObject::connect(shortcut, &QShortcut::activated, window, [percent] {
            // Larger than the largest step that fits is no step: the player's choice stays.
            if (percent() != current())
                setPercent(percent());
        });
    };
    const auto larger = [] { return ZoomSteps::next(current(), +1, steps()); };
    const auto smaller = [] { return ZoomSteps::next(current(), -1, steps()); };
    add(QKeySequence::ZoomIn, larger);
    add(QKeySequence(Qt::CTRL | Qt::Key_Equal), larger); // + without Shift on many keyboards
    add(QKeySequence::ZoomOut, smaller);
    add(QKeySequence(Qt::CTRL | Qt::Key_0), [] { return 100; });
}

void setArtwork(QLabel *label, const QString &name)
{
    label->setProperty(ArtworkName, name);
    drawArtwork(label);
}

QFont scaled(QFont font)
{
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor());
    else if (font.pixelSize() > 0)
        font.setPixelSize(scaled(font.pixelSize()));
    return font;
}

int scaled(int pixels)
{
    return qRound(pixels * factor());
}

} // namespace Zoom
