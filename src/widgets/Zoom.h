#pragma once

#include <QFont>
#include <QObject>
#include <QRect>
#include <QVector>

class QLabel;
class QWidget;

// The zoom of the whole game: every window, font and picture is drawn at 100, 125, 150 or 200 %
// of its layout. Screens are laid out in the layout's own pixels; apply() scales a window and
// everything in it from there, and draws the artwork anew for its size. Code that moves a widget
// after its screen is on show does it through place(), in the layout's pixels too.
//
// Only the steps at which the game's largest window fits the screen's available area are offered:
// the zoom is the player's choice (kept for the next run) or, where that does not fit, the largest
// step below it that does, taken again when the game's windows move to another screen.
namespace Zoom {

int percent();
qreal factor();
// The player's choice: the game is drawn at it, or at the largest step below it that fits, and
// keeps it for the next run.
void setPercent(int percent);
// The zoom kept from the last run (QSettings), fitted to the primary screen, for the start of the game.
void load();

// The largest of the game's windows in the layout's pixels (its widest and its tallest), for the
// steps that fit; windows shown larger than it count from then on.
void setLargestWindow(const QSize &layout);
// Fits the zoom to a screen with `available` pixels free for windows (QScreen::availableGeometry).
void fitTo(const QSize &available);
// The steps offered now, smallest first.
QVector<int> steps();

// Tells of each change of the zoom the game is drawn at.
class Notifier : public QObject
{
    Q_OBJECT
signals:
    void changed(int percent);
};
Notifier &notifier();

// Scales `window` and its widgets to the zoom; the first time, their present geometry and fonts
// are taken as the layout's. Windows with a zoom applied follow every later setPercent().
void apply(QWidget *window);
// Scales the widgets made inside `container` after its window was scaled (laid out in the
// layout's pixels, as everything is).
void applyInside(QWidget *container);
// Puts a window in the middle of its screen, its title bar on the screen however large it is.
void centre(QWidget *window);
// Puts `widget` at `layout` (the layout's pixels), scaled by the zoom, now and at every change.
void place(QWidget *widget, const QRect &layout);
// A widget whose geometry its owner manages (text fitted in a panel): the zoom leaves it alone.
void leaveAlone(QWidget *widget);
// A label that sizes itself to its text: the zoom moves it and scales its font only.
void sizesItself(QWidget *widget);

// Shows the artwork `name` on `label`, drawn sharp for the label's size at every zoom.
void setArtwork(QLabel *label, const QString &name);

// Ctrl and + / Ctrl and − (and Ctrl and 0 for 100 %) on `window` change the zoom of the game.
void addKeys(QWidget *window);

// `font` at the zoom, for windows the game does not lay out (message boxes).
QFont scaled(QFont font);
int scaled(int pixels);

} // namespace Zoom
