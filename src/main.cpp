#include "base/SiteAddress.h"
#include "shell/Startup.h"
#include "shell/StartupProbe.h"
#include "widgets/Artwork.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(Artwork::pixmap(QStringLiteral("lumivo"), QSize(64, 64))));
    QApplication::setDesktopFileName(QStringLiteral("org.example.lumivo"));
    if (const QByteArray start = qgetenv("LUMIVO_BENCH_STARTUP"); !start.isEmpty())
        app.installEventFilter(new StartupProbe(start.toLongLong(), &app));
    if (!SiteAddress::configure(app.arguments()))
        QTextStream(stderr) << "Indirizzo del sito non valido (--site o LUMIVO_SITE): si usa "
                            << SiteAddress::base().toString() << '\n';
    return Startup::run(app);
}
