// Renders the game's SVG drawings as PNG files at build time.
//   lumivo-icon ICON.svg OUTPUT_FOLDER SIZE...     ->  OUTPUT_FOLDER/SIZExSIZE/lumivo.png, the sizes a
//                                                     desktop's icon theme asks for
//   lumivo-icon --pictures OUTPUT_FOLDER SVG...    ->  OUTPUT_FOLDER/NAME.png, each at its own size

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

namespace {
QTextStream err(stderr);

// Draws `svg` at `size` into `target`; false, with the reason told, when it cannot.
bool render(const QString &svg, QSize size, const QString &target)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        err << "Impossibile leggere il disegno " << svg << '\n';
        return false;
    }
    if (size.isEmpty())
        size = renderer.defaultSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!QDir().mkpath(QFileInfo(target).path()) || !image.save(target)) {
        err << "Impossibile scrivere " << target << '\n';
        return false;
    }
    return true;
}
} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        err << "uso: lumivo-icon ICONA.svg CARTELLA DIMENSIONE...\n"
               "     lumivo-icon --pictures CARTELLA DISEGNO.svg...\n";
        return 2;
    }
    if (args[1] == QLatin1String("--pictures")) {
        for (const QString &svg : args.mid(3)) {
            if (!render(svg, QSize(),
                        QStringLiteral("%1/%2.png").arg(args[2], QFileInfo(svg).completeBaseName())))
                return 1;
        }
        return 0;
    }
    for (const QString &text : args.mid(3)) {
        const int size = text.toInt();
        if (size <= 0) {
            err << "Dimensione non valida: " << text << '\n';
            return 2;
        }
        if (!render(args[1], QSize(size, size), QStringLiteral("%1/%2x%2/lumivo.png").arg(args[2]).arg(size)))
            return 1;
    }
    return 0;
}
