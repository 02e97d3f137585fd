// The yardstick for bench/startup.sh: a bare Qt Widgets window with the login window's widgets
// (two pictures, two captions, two fields, two buttons, the cover of the login button and the
// version line, in the same places), without the game's folder, profile, artwork or settings.
// It reports its first window drawn as the game does, with LUMIVO_BENCH_STARTUP.

#include "shell/StartupProbe.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

namespace {
QLabel *picture(QWidget *window, const QRect &place, const QColor &colour)
{
    QPixmap pixmap(place.size());
    pixmap.fill(colour);
    auto *label = new QLabel(window);
    label->setGeometry(place);
    label->setPixmap(pixmap);
    return label;
}
} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (const QByteArray start = qgetenv("LUMIVO_BENCH_STARTUP"); !start.isEmpty())
        app.installEventFilter(new StartupProbe(start.toLongLong(), &app));
    QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Lumivo Pro"));
    window.setFixedSize(480, 330);
    window.setFont(QFont(QStringLiteral("Verdana"), 10));
    picture(&window, QRect(0, 0, 360, 110), QColor(0x20, 0x30, 0x60));
    picture(&window, QRect(360, 0, 120, 110), QColor(0x40, 0x40, 0x40));
    const struct {
        const char *caption;
        int top;
    } fields[] = {{"Utente:", 134}, {"Password:", 176}};
    for (const auto &field : fields) {
        (new QLabel(QString::fromUtf8(field.caption), &window))->setGeometry(40, field.top + 4, 95, 22);
        auto *edit = new QLineEdit(&window);
        edit->setGeometry(140, field.top, 300, 28);
        if (field.top == 176)
            edit->setEchoMode(QLineEdit::Password);
    }
    picture(&window, QRect(140, 222, 140, 44), QColor(0x30, 0x80, 0x30));
    picture(&window, QRect(140, 222, 140, 44), QColor(0x90, 0x90, 0x90));
    picture(&window, QRect(300, 222, 140, 44), QColor(0x80, 0x30, 0x30));
    (new QLabel(QStringLiteral("Versione 1.0.0"), &window))->setGeometry(12, 296, 200, 22);
    window.show();
    return QApplication::exec();
}
