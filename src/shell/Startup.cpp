#include "shell/Startup.h"

#include "content/mdlGeneral.h"
#include "widgets/MessageBox.h"
#include "base/Messages.h"
#include "shell/Screens.h"
#include "shell/SingleInstance.h"
#include "base/mdlConst.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace Startup {

void prepareApplication(QApplication &app)
{
    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(translator);
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // The screens name Verdana and Comic Sans MS; where they are missing, free look-alikes draw.
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QApplication::setApplicationName(mdlConst::ProductTitle);
    MessageBox::install();
}

bool prepareGameFolder()
{
    QDir root(mdlConst::gameFolder());
    if (!QDir(mdlConst::installedFolder()).exists(mdlConst::DataDir)) {
        Messages::warn(QStringLiteral("Manca la cartella Data con le immagini del gioco:\n%1\n\n"
                                      "Reinstalla il gioco per ripristinarla.")
                           .arg(QDir::toNativeSeparators(mdlConst::installedFolder() + QLatin1Char('/')
                                                         + mdlConst::DataDir)));
        return false;
    }
    for (const QString &folder : {mdlConst::TempDir, mdlConst::UserDir}) {
        if (!root.mkpath(folder)) {
            Messages::warn(QStringLiteral("Impossibile creare la cartella %1 accanto al gioco: "
                                          "controlla i permessi della cartella.")
                               .arg(QDir::toNativeSeparators(mdlConst::gamePath(folder))));
            return false;
        }
    }
    QString problem;
    if (!mdlGeneral::LoadCounts(&problem)) {
        Messages::warn(problem);
        return false;
    }
    mdlGeneral::LoadCatNames();
    return true;
}

int Main(QApplication &app)
{
    SingleInstance instance(mdlConst::gameFolder());
    if (!instance.isFirst() && instance.problem().isEmpty())
        return 0;
    prepareApplication(app);
    if (!instance.isFirst()) {
        Messages::warn(instance.problem());
        return 1;
    }
    if (!prepareGameFolder())
        return 1;
    Screens::showLogin();
    return QApplication::exec();
}

} // namespace Startup
