#pragma once

// Helpers for tests that drive the game's top-level screens.

#include "MessageSupport.h"
#include "Pictures.h"

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <QWidget>
#include <QtTest>

namespace ScreenSupport {

// The visible top-level screen of that name, or null.
inline QWidget *visibleTopLevel(const QString &name)
{
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible())
            return widget;
    }
    return nullptr;
}

// How many top-level screens of that name are shown or about to be.
inline int countTopLevels(const QString &name)
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && !widget->testAttribute(Qt::WA_WState_Hidden))
            ++count;
    }
    return count;
}

// Hidden first, so that no screen takes its close for the player's and opens another.
inline void closeEveryWindow()
{
    for (int round = 0; round < 3; ++round) {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            widget->hide();
            widget->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// Waits until a screen that was shown is active and has handled what showing it queued.
inline bool settled(QWidget *screen)
{
    if (!QTest::qWaitForWindowActive(screen))
        return false;
    QCoreApplication::processEvents();
    return true;
}

// A click of the player at `point` of the window: whatever lies on top there takes it. False when
// nothing does.
inline bool clickAt(QWidget *window, const QPoint &point)
{
    QWidget *top = window->childAt(point);
    if (!top)
        return false;
    QTest::mouseClick(top, Qt::LeftButton, {}, top->mapFrom(window, point));
    return true;
}

// The same at the centre of the window's control `name`.
inline bool clickPlaceOf(QWidget *window, const QString &name)
{
    auto *control = window->findChild<QWidget *>(name);
    return control && clickAt(window, control->mapTo(window, control->rect().center()));
}

inline QByteArray png(const QImage &image)
{
    return Pictures::encoded(image);
}

inline QByteArray png(const QSize &size, const QColor &colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return png(image);
}

} // namespace ScreenSupport
