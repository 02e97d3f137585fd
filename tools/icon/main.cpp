// Renders the game's SVG drawings at build time.
//   lumivo-icon ICON.svg OUTPUT_FOLDER SIZE...       ->  OUTPUT_FOLDER/SIZExSIZE/lumivo.png, the sizes a
//                                                       desktop's icon theme asks for
//   lumivo-icon --pictures OUTPUT_FOLDER SVG[@SIZE]  ->  OUTPUT_FOLDER/NAME.argb, each at its own size (or
//                                                       SIZE x SIZE): the pixels as this machine holds
//                                                       them in ARGB32 premultiplied, row after row, for
//                                                       the game to show with no decoding at start-up

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <QTextStream>
#include <functional>

namespace {
QTextStream err(stderr);

// Draws `svg` at `size` (its own size when empty); a null image, with the reason told, when it
// cannot.
QImage render(const QString &svg, QSize size)
{
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) {
        err << "Impossibile leggere il disegno " << svg << '\n';
        return QImage();
    }
    if (size.isEmpty())
        size = renderer.defaultSize();
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    return image;
}

bool write(const QString &target, const std::function<bool(QIODevice &)> &content)
{
    QSaveFile file(target);
    if (!QDir().mkpath(QFileInfo(target).path()) || !file.open(QIODevice::WriteOnly) || !content(file)
        || !file.commit()) {
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
               "     lumivo-icon --pictures CARTELLA DISEGNO.svg[@DIMENSIONE]...\n";
        return 2;
    }
    if (args[1] == QLatin1String("--pictures")) {
        for (const QString &picture : args.mid(3)) {
            const QString svg = picture.section(QLatin1Char('@'), 0, 0);
            const int side = picture.section(QLatin1Char('@'), 1).toInt();
            const QImage image = render(svg, QSize(side, side));
            const QString target
                = QStringLiteral("%1/%2.argb").arg(args[2], QFileInfo(svg).completeBaseName());
            if (image.isNull() || !write(target, [&](QIODevice &file) {
                    const auto bytes = reinterpret_cast<const char *>(image.constBits());
                    return file.write(bytes, image.sizeInBytes()) == image.sizeInBytes();
                }))
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
        const QImage image = render(args[1], QSize(size, size));
        if (image.isNull()
            || !write(QStringLiteral("%1/%2x%2/lumivo.png").arg(args[2]).arg(size),
                      [&](QIODevice &file) { return image.save(&file, "PNG"); }))
            return 1;
    }
    return 0;
}
