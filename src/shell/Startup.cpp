#include "shell/Startup.h"

#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "profile/GameSession.h"
#include "shell/Navigator.h"
#include "shell/SingleInstance.h"
#include "widgets/MessageBox.h"
#include "widgets/Messages.h"
#include "widgets/Zoom.h"

#include <QApplication>
#include <QDir>
#include <QFont>

namespace Startup {

void prepareApplication()
{
    // The screens name Verdana and Comic Sans MS; where they are missing, free look-alikes draw.
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QApplication::setApplicationName(Game::ProductTitle);
    QApplication::setOrganizationName(QStringLiteral("lumivo"));
    MessageBox::install();
}

Result<> prepareGameFolder(CategoryTable &table)
{
    QDir root(GameFolder::root());
    if (!QDir(GameFolder::installed()).exists(GameFolder::DataDir))
        return fail(QCoreApplication::translate("Startup",
                                                "Manca la cartella Data con le immagini del gioco:\n"
                                                "%1\n\nReinstalla il gioco per ripristinarla.")
                        .arg(QDir::toNativeSeparators(GameFolder::installed() + QLatin1Char('/')
                                                      + GameFolder::DataDir)));
    for (const QString &folder : {GameFolder::TempDir, GameFolder::UserDir}) {
        if (!root.mkpath(folder))
            return fail(QCoreApplication::translate("Startup", "Impossibile creare la cartella %1 accanto al "
                                                               "gioco: controlla i permessi della cartella.")
                            .arg(QDir::toNativeSeparators(GameFolder::path(folder))));
    }
    return table.load();
}

int run()
{
    SingleInstance instance(GameFolder::root());
    if (!instance.isFirst() && instance.problem().isEmpty())
        return 0;
    prepareApplication();
    if (!instance.isFirst()) {
        Messages::warn(instance.problem());
        return 1;
    }
    Zoom::setLargestWindow(largestWindow());
    Zoom::load();
    GameSession session;
    if (const Result<> prepared = prepareGameFolder(session.categories()); !prepared) {
        Messages::warn(prepared.problem());
        return 1;
    }
    Navigator navigator(gameScreens(session));
    navigator.start();
    return QApplication::exec();
}

} // namespace Startup
