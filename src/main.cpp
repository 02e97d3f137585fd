#include "base/SiteAddress.h"
#include "shell/Screens.h"
#include "shell/Startup.h"
#include "web/frmWeb.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // The browser engine of the web window shares its drawing contexts with the windows.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    if (!SiteAddress::configure(app.arguments()))
        QTextStream(stderr) << "Indirizzo del sito non valido (--site o LUMIVO_SITE): si usa "
                            << SiteAddress::base().toString() << '\n';
    Screens::setShowWeb([](const QString &address, std::function<void(bool)> recordAnswered) {
        frmWeb::ShowWeb(address, std::move(recordAnswered));
    });
    return Startup::Main(app);
}
