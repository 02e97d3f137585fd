#include "base/SiteAddress.h"
#include "shell/Startup.h"
#include "shell/StartupProbe.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

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
    QApplication::setDesktopFileName(QStringLiteral("org.example.lumivo"));
    if (const QByteArray start = qgetenv("LUMIVO_BENCH_STARTUP"); !start.isEmpty())
        app.installEventFilter(new StartupProbe(start.toLongLong(), &app));
    if (!SiteAddress::configure(app.arguments()))
        QTextStream(stderr) << "Indirizzo del sito non valido (--site o LUMIVO_SITE): si usa "
                            << SiteAddress::base().toString() << '\n';
    return Startup::Main(app);
}
