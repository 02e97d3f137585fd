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

int &current()
{
    static int value = 100;
    return value;
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
void moveInside(QWidget *window, const QPoint &middle)
{
    QPoint topLeft = middle - QPoint(window->width() / 2, window->height() / 2);
    if (const QScreen *screen = window->screen()) {
        const QRect area = screen->availableGeometry();
        topLeft.setX(qMax(area.left(), qMin(topLeft.x(), area.right() - window->width())));
        topLeft.setY(qMax(area.top(), qMin(topLeft.y(), area.bottom() - window->height())));
    }
    window->move(topLeft);
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
    if (percent == current())
        return;
    current() = percent;
    QSettings().setValue(QStringLiteral("zoom"), percent);
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->property(Applied).toBool())
            apply(window);
    }
}

void load()
{
    current() = ZoomSteps::valid(QSettings().value(QStringLiteral("zoom"), 100).toInt());
}

void apply(QWidget *window)
{
    window->setProperty(Applied, true);
    const QPoint centre = window->geometry().center();
    scaleFont(window);
    if (window->minimumSize() == window->maximumSize()) {
        if (!window->property(LayoutFixedSize).isValid())
            window->setProperty(LayoutFixedSize, window->size());
        window->setFixedSize(
            scaledRect(QRect(QPoint(0, 0), window->property(LayoutFixedSize).toSize())).size());
    }
    scaleTree(window);
    // A window that grows or shrinks on show keeps its middle where it was.
    if (window->isVisible())
        moveInside(window, centre);
}

void applyInside(QWidget *container)
{
    if (container->window()->property(Applied).toBool())
        scaleTree(container);
}

void centre(QWidget *window)
{
    if (const QScreen *screen = window->screen())
        moveInside(window, screen->availableGeometry().center());
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
        QObject::connect(shortcut, &QShortcut::activated, window, [percent] { setPercent(percent()); });
    };
    const auto larger = [] { return ZoomSteps::next(current(), +1); };
    const auto smaller = [] { return ZoomSteps::next(current(), -1); };
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
