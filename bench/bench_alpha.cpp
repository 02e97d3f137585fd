// Prints what opening the Alpha screen costs on a full Classic content set (540 JPEG stills in
// categories 1 to 9): the whole opening (draw, extraction, board loaded and shown), and the draw
// with its extraction alone; median of repeated runs, offscreen.
//
//   bench_alpha [runs]

#include "BenchStills.h"
#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "content/ContentFiles.h"
#include "content/Extraction.h"
#include "pack/PackContent.h"
#include "play/AlphaPlayScreen.h"
#include "profile/GameSession.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>

namespace {
constexpr int PerCategory = 60; // 9 x 60 = 540
const QSize StillSize(256, 141);

// The offscreen platform's notes on raise() would bury the figures.
QtMessageHandler standardHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("does not support raise()")))
        return;
    standardHandler(type, context, message);
}

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    standardHandler = qInstallMessageHandler(quietHandler);
    const int runs = app.arguments().value(1, QStringLiteral("41")).toInt();
    QTextStream out(stdout);
    Messages::setHandler([](const Messages::Message &message) -> bool {
        qFatal("message shown: %s", qPrintable(message.text));
    });

    QTemporaryDir dir;
    GameFolder::setInstalled(dir.path());
    for (const char *folder : {"Data", "Temp", "User"})
        QDir(dir.path()).mkpath(QLatin1String(folder));

    QRandomGenerator random(540);
    PackContent::Content content;
    qint64 total = 0, smallest = 1 << 30, largest = 0;
    for (int c = 1; c <= ContentFiles::LastGenreCategory; ++c) {
        for (int p = 1; p <= PerCategory; ++p) {
            const QByteArray data = BenchStills::still(random, StillSize.width(), StillSize.height());
            total += data.size();
            smallest = qMin<qint64>(smallest, data.size());
            largest = qMax<qint64>(largest, data.size());
            const int n = (c - 1) * PerCategory + p;
            content.categories[c].append({data, QStringLiteral("Titolo %1").arg(n, 3, 10, QLatin1Char('0'))});
        }
    }
    for (auto &state : content.thumbs) {
        for (int c = 1; c <= Game::CategoryCount; ++c)
            state[c] = BenchStills::still(random, 40, 20);
    }
    QString error;
    if (!PackContent::writeData(content, dir.path() + QStringLiteral("/Data"), &error))
        qFatal("%s", qPrintable(error));
    GameSession session;
    if (!session.categories().load()
        || !session.profile().logIn(QStringLiteral("Bench"), QStringLiteral("pw"))
        || !session.profile().create(QStringLiteral("pw")))
        qFatal("no profile");
    const int count = ContentFiles::LastGenreCategory * PerCategory;
    out << QStringLiteral("%1 JPEG stills of %2x%3, %4 to %5 KB, %6 KB on average; median of %7 runs\n")
               .arg(count)
               .arg(StillSize.width())
               .arg(StillSize.height())
               .arg(smallest / 1024)
               .arg(largest / 1024)
               .arg(total / 1024.0 / count, 0, 'f', 1)
               .arg(runs);

    QVector<double> opening, dealing;
    qint64 bytes = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        auto *screen = new AlphaPlayScreen(session.profile());
        if (!screen->open())
            qFatal("the Alpha screen did not open");
        QCoreApplication::processEvents();
        opening.append(timer.nsecsElapsed() / 1e6);
        if (!QDir(GameFolder::path(GameFolder::TempDir))
                 .entryList({QStringLiteral("*.tmp")}, QDir::Files)
                 .isEmpty())
            qFatal("Temp/ not empty after opening");
        delete screen;

        // The draw and extraction alone: a screen opened with nothing shown.
        ContentFiles::resetBytesRead();
        timer.restart();
        auto *idle = new AlphaPlayScreen(session.profile());
        idle->setAttribute(Qt::WA_DontShowOnScreen);
        if (!idle->open())
            qFatal("the Alpha board could not be dealt");
        dealing.append(timer.nsecsElapsed() / 1e6);
        bytes = ContentFiles::bytesRead();
        removeTempPictures();
        delete idle;
    }
    out << QStringLiteral("Opening the Alpha screen (draw, extraction, board loaded and shown): %1 ms\n")
               .arg(median(opening), 0, 'f', 2)
        << QStringLiteral("  of which draw, extraction and decoding of the 15 pictures: %1 ms, %2 KB read "
                          "from the packs "
                          "and indexes (last run)\n")
               .arg(median(dealing), 0, 'f', 2)
               .arg(bytes / 1024.0, 0, 'f', 1)
        << QStringLiteral("  slowest opening %1 ms, fastest %2 ms\n")
               .arg(*std::max_element(opening.begin(), opening.end()), 0, 'f', 2)
               .arg(*std::min_element(opening.begin(), opening.end()), 0, 'f', 2);
    return 0;
}
