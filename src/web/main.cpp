// lumivo-web: the game's web window in a program of its own, so that the game never loads the
// browser engine and survives it. The game starts it with `--lang CODE` (the player's language,
// "it" or "en") and `--zoom PERCENT` (the game's zoom), and talks to it by lines:
//   to it:    "open ADDRESS"                  a URL or an absolute file path
//             "record RECORD_URL FORM_PATH"   the record form page, posted once loaded
//             "zoom PERCENT"                  the game's zoom changed
//   from it:  "ready"                         the window is on screen
//             "loaded"                        a page has loaded: the game's "~" pages are read
//             "record 1" / "record 0"         the site took the times (2xx) or not
// It ends when its window is closed (Escape closes it) or when the game closes its input.

#include "base/ZoomSteps.h"
#include "shell/CommandLine.h"
#include "web/frmWeb.h"

#include <QApplication>
#include <QIcon>
#include <QPointer>
#include <QSocketNotifier>
#include <QTextStream>
#include <QUrl>
#include <cstdio>
#include <unistd.h>

namespace {
// A longer line is no command of the game's.
constexpr qsizetype MaxLine = 64 * 1024;

void say(const char *line)
{
    std::fputs(line, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void run(frmWeb &window, const QString &line)
{
    const QString verb = line.section(QLatin1Char(' '), 0, 0);
    if (verb == QLatin1String("zoom")) {
        window.setZoom(ZoomSteps::valid(line.section(QLatin1Char(' '), 1, 1).toInt()));
        return;
    }
    if (verb == QLatin1String("open")) {
        window.open(line.section(QLatin1Char(' '), 1));
    } else if (verb == QLatin1String("record")) {
        const QUrl recordPage(line.section(QLatin1Char(' '), 1, 1), QUrl::StrictMode);
        const QString form = line.section(QLatin1Char(' '), 2);
        if (!recordPage.isValid() || form.isEmpty()) {
            say("record 0");
            return;
        }
        window.openRecord(recordPage, form);
    } else {
        return;
    }
    window.raise();
    window.activateWindow();
}
} // namespace

int main(int argc, char *argv[])
{
    // Chromium will not start as root with its sandbox on, and says so only on the terminal: a
    // player who runs the game as root would get no window at all. Without the sandbox the page
    // processes keep root's rights, which the player chose by running the game so; the pages are
    // the game's own site and record form.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // Pages are drawn without OpenGL (Qt Quick's software renderer): the shared context the
    // engine asks for would otherwise load the graphics driver, some 50 MiB, for pages that need
    // no GPU. Setting either variable outside keeps the driver's way.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION")
        && !qEnvironmentVariableIsSet("QT_QUICK_BACKEND")) {
        qputenv("QT_XCB_GL_INTEGRATION", "none");
        qputenv("QT_QUICK_BACKEND", "software");
    }
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    const CommandLine::Reading reading = CommandLine::read(CommandLine::Program::WebWindow, app.arguments());
    QTextStream(stdout) << reading.output;
    QTextStream(stderr) << reading.errors;
    if (reading.exitStatus >= 0)
        return reading.exitStatus;
    QApplication::setApplicationName(QStringLiteral("Lumivo Pro"));
    QApplication::setDesktopFileName(QStringLiteral("org.example.lumivo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/assets/lumivo.svg")));

    // Gone once closed; the program ends with it.
    const QPointer<frmWeb> window = new frmWeb;
    window->setZoom(reading.options.zoom);
    QObject::connect(window, &frmWeb::pageLoaded, [] { say("loaded"); });
    QObject::connect(window, &frmWeb::recordAnswered,
                     [](bool taken) { say(taken ? "record 1" : "record 0"); });

    QByteArray pending;
    bool skipping = false;
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&] {
        char buffer[4096];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) {
            // The game is gone.
            input.setEnabled(false);
            QApplication::quit();
            return;
        }
        pending.append(buffer, count);
        for (qsizetype end; (end = pending.indexOf('\n')) >= 0;) {
            if (!skipping && window)
                run(*window, QString::fromUtf8(pending.left(end)).trimmed());
            skipping = false;
            pending.remove(0, end + 1);
        }
        if (pending.size() > MaxLine) {
            pending.clear();
            skipping = true;
        }
    });

    window->showMaximized();
    say("ready");
    return QApplication::exec();
}
