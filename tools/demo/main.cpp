#include "demo/DemoArt.h"
#include "pack/Thumbnails.h"

#include "content/CategoryTable.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

// Draws the demo pictures into SOURCE_DIR with their content.tsv, ready for lumivo-pack build.
int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (app.arguments().size() != 2) {
        err << "Uso: lumivo-demo CARTELLA\n";
        return 2;
    }
    const QDir source(app.arguments().at(1));
    // Only what this tool wrote before is replaced.
    QDir(source.filePath(QStringLiteral("pictures"))).removeRecursively();
    QDir(source.filePath(QStringLiteral("thumbs"))).removeRecursively();

    QByteArray manifest = "# Demo content of Lumivo Pro: category, picture, title\n";
    const QVector<DemoFilms::Film> &films = DemoFilms::all();
    for (int i = 0; i < films.size(); ++i) {
        const DemoFilms::Film &film = films[i];
        QString suffix;
        const QByteArray data = DemoArt::picture(film, i, &suffix);
        const QString folder = QStringLiteral("pictures/%1").arg(film.category, 2, 10, QLatin1Char('0'));
        const QString name
            = folder + QStringLiteral("/%1.%2").arg(i + 1, 4, 10, QLatin1Char('0')).arg(suffix);
        QFile file(source.filePath(name));
        if (!source.mkpath(folder) || !file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
            err << "Impossibile scrivere " << file.fileName() << '\n';
            return 1;
        }
        manifest += QByteArray::number(film.category) + '\t' + name.toUtf8() + '\t' + film.title + '\n';
    }
    // Each category's three thumbnails, made from its own cover rather than its first picture.
    static const char *const States[3] = {"locked", "open", "won"};
    for (int c = 1; c <= 20; ++c) {
        QByteArray cover;
        QBuffer buffer(&cover);
        buffer.open(QIODevice::WriteOnly);
        DemoArt::cover(c).save(&buffer, "PNG");
        for (int state = 0; state < 3; ++state) {
            const QString folder = QStringLiteral("thumbs/") + QLatin1String(States[state]);
            const QByteArray thumb = Thumbnails::make(c, state, cover);
            QFile file(source.filePath(folder + QStringLiteral("/%1.png").arg(c, 2, 10, QLatin1Char('0'))));
            if (!source.mkpath(folder) || !file.open(QIODevice::WriteOnly)
                || file.write(thumb) != thumb.size()) {
                err << "Impossibile scrivere " << file.fileName() << '\n';
                return 1;
            }
        }
    }
    if (!DemoArt::overflows().isEmpty()) {
        err << "Testi che non entrano nel loro spazio:\n";
        for (const QString &text : DemoArt::overflows())
            err << "  " << text << '\n';
        return 1;
    }
    QFile file(source.filePath(QStringLiteral("content.tsv")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(manifest) != manifest.size()) {
        err << "Impossibile scrivere " << file.fileName() << '\n';
        return 1;
    }
    return 0;
}
