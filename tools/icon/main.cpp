// Renders the game's SVG icon as PNG files of the sizes a desktop's icon theme asks for.
//   lumivo-icon ICON.svg OUTPUT_FOLDER SIZE...  ->  OUTPUT_FOLDER/SIZExSIZE/lumivo.png

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 4) {
        err << "uso: lumivo-icon ICONA.svg CARTELLA DIMENSIONE...\n";
        return 2;
    }
    QSvgRenderer renderer(args[1]);
    if (!renderer.isValid()) {
        err << "Impossibile leggere l'icona " << args[1] << '\n';
        return 1;
    }
    for (const QString &text : args.mid(3)) {
        const int size = text.toInt();
        if (size <= 0) {
            err << "Dimensione non valida: " << text << '\n';
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer.render(&painter);
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2").arg(args[2]).arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/lumivo.png"))) {
            err << "Impossibile scrivere l'icona in " << folder << '\n';
            return 1;
        }
    }
    return 0;
}
