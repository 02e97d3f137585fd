#include "base/SiteAddress.h"
#include "shell/Screens.h"
#include "shell/Startup.h"
#include "web/frmWeb.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>
#include <QTimer>
#include <QWindow>
#include <chrono>

namespace {
// For bench/startup.sh: with LUMIVO_BENCH_STARTUP set to the moment the program was started
// (nanoseconds since the epoch), prints the milliseconds until the first window has been shown
// and drawn. The game runs on as usual, so the script can go on to measure it.
class StartupProbe : public QObject
{
public:
    StartupProbe(qint64 startNs, QObject *parent)
        : QObject(parent)
        , m_startNs(startNs)
    { }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
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

private:
    qint64 m_startNs;
};
} // namespace

int main(int argc, char *argv[])
{
    // Every window draws without OpenGL, the web window's page included (Qt Quick's software
    // renderer): the shared context the browser engine asks for would otherwise load the
    // graphics driver at start-up, some 50 MiB and 200 ms before the login window, for pages
    // that need no GPU. Setting either variable outside the game keeps the driver's way.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION")
        && !qEnvironmentVariableIsSet("QT_QUICK_BACKEND")) {
        qputenv("QT_XCB_GL_INTEGRATION", "none");
        qputenv("QT_QUICK_BACKEND", "software");
    }
    // The browser engine of the web window shares its drawing contexts with the windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/lumivo.svg")));
    QApplication::setDesktopFileName(QStringLiteral("lumivo"));
    if (const QByteArray start = qgetenv("LUMIVO_BENCH_STARTUP"); !start.isEmpty())
        app.installEventFilter(new StartupProbe(start.toLongLong(), &app));
    if (!SiteAddress::configure(app.arguments()))
        QTextStream(stderr) << "Indirizzo del sito non valido (--site o LUMIVO_SITE): si usa "
                            << SiteAddress::base().toString() << '\n';
    Screens::setShowWeb([](const QString &address, std::function<void(bool)> recordAnswered) {
        frmWeb::ShowWeb(address, std::move(recordAnswered));
    });
    return Startup::Main(app);
}
