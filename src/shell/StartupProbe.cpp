#include "shell/StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTextStream>
#include <QTimer>
#include <QWindow>
#include <chrono>

StartupProbe::StartupProbe(qint64 startNs, QObject *parent)
    : QObject(parent)
    , m_startNs(startNs)
{ }

bool StartupProbe::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Expose && qobject_cast<QWindow *>(watched)
        && static_cast<QWindow *>(watched)->isExposed()) {
        QCoreApplication::instance()->removeEventFilter(this);
        // The window draws while it handles this event: measure once it is done.
        QTimer::singleShot(0, this, [this] {
            const qint64 now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                                   std::chrono::system_clock::now().time_since_epoch())
                                   .count();
            QTextStream(stdout) << "startup_ms " << (now - m_startNs) / 1000000.0 << Qt::endl;
        });
    }
    return false;
}
