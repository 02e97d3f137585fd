// lumivo-grab: the still a film shows at a given time, ready for a pack; lumivo-pack runs it for
// `grab` and for the film lines of content.tsv.

#include "ToolApplication.h"
#include "grab/GrabCommand.h"

#include <QTextStream>

int main(int argc, char *argv[])
{
    // Fonts only for the numbered boxes of --show-faces.
    QStringList raw;
    for (int i = 0; i < argc; ++i)
        raw.append(QString::fromLocal8Bit(argv[i]));
    const auto app = ToolApplication::start(argc, argv, GrabCommand::needsFonts(raw));
    QTextStream out(stdout);
    QTextStream err(stderr);
    return int(GrabCommand::run(app->arguments(), out, err));
}
