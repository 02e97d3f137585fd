// Prints what opening the longest strip costs: a Bonus category of 157 JPEG stills opened as the
// navigator opens it after a click on its thumbnail, until the screen is ready to play (median of
// repeated runs), set against the extraction of the same category measured beside each opening;
// what an arrow step costs while walking the whole strip; and the resident memory.
//
//   bench_strip [runs]      (offscreen unless QT_QPA_PLATFORM says otherwise)

#include "BenchSite.h"
#include "BenchStills.h"
#include "base/GameFolder.h"
#include "base/GameTypes.h"
#include "content/CategoryTable.h"
#include "content/Extraction.h"
#include "pack/PackContent.h"
#include "play/CategoryPlay.h"
#include "play/StripMath.h"
#include "play/StripPlayScreen.h"
#include "play/TitleBox.h"
#include "profile/GameSession.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <ctime>

namespace {
constexpr int Bonus = 10;

double median(QVector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// VmRSS of this process, in MiB.
double residentMiB()
{
    return BenchSite::memoryKiB("VmRSS") / 1024.0;
}

// The milliseconds of `timer` at the first paint of a window.
class FirstPaint : public QObject
{
public:
    FirstPaint(QWidget *window, const QElapsedTimer &timer)
        : m_timer(timer)
    {
        window->installEventFilter(this);
    }
    double at = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && at < 0)
            at = m_timer.nsecsElapsed() / 1e6;
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer &m_timer;
};
} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = app.arguments().value(1, QStringLiteral("21")).toInt();
    QTextStream out(stdout);
    QTemporaryDir dir;
    GameFolder::setInstalled(dir.path());
    for (const char *folder : {"Data", "Temp", "User"})
        QDir(dir.path()).mkpath(QLatin1String(folder));
    Messages::setHandler([&out](const Messages::Message &message) {
        // Only the question that creates the profile is expected.
        if (message.kind != Messages::Kind::Question)
            out << "message: " << message.text << '\n';
        return true;
    });

    QRandomGenerator random(1234);
    PackContent::Content content;
    qint64 total = 0;
    for (int n = 0; n < StripMath::MaxCells; ++n) {
        const QSize size = BenchStills::stillSize(n);
        const QByteArray data = BenchStills::still(random, size.width(), size.height());
        total += data.size();
        content.categories[Bonus].append({data, QStringLiteral("Film n. %1").arg(n + 1)});
    }
    for (auto &state : content.thumbs) {
        for (int c = 1; c <= 20; ++c)
            state[c] = BenchStills::still(random, 200, 100);
    }
    QString error;
    if (!PackContent::writeData(content, dir.path() + QStringLiteral("/Data"), &error))
        qFatal("%s", qPrintable(error));
    GameSession session;
    Profile &profile = session.profile();
    if (!session.categories().load() || !profile.logIn(QStringLiteral("Bench"), QStringLiteral("pw"))
        || !profile.create(QStringLiteral("pw")))
        qFatal("no profile");
    profile.setGameTypeState(Game::Bonus, Game::GameTypeState(1));
    profile.setCategoryState(Bonus, Game::CategoryState(1));
    const double before = residentMiB();
    out << QStringLiteral("Bonus category of %1 JPEG stills, %2 KB on average; median of %3 runs\n")
               .arg(StripMath::MaxCells)
               .arg(total / 1024.0 / StripMath::MaxCells, 0, 'f', 1)
               .arg(runs);

    // Processor time too: on a busy machine the wall clock says more about the neighbours. The
    // extraction is timed right after each opening, so the ratio of the two sees the same load.
    QVector<double> ready, drawn, built, processor, extraction, ratio, steps;
    double firstOpen = 0, walked = 0, lastOpen = 0;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        const std::clock_t started = std::clock();
        auto *screen = new BonusPlayScreen(profile, Bonus);
        FirstPaint paint(screen, timer);
        if (!screen->open())
            qFatal("the strip did not open");
        ready.append(timer.nsecsElapsed() / 1e6);
        processor.append((std::clock() - started) * 1000.0 / CLOCKS_PER_SEC);
        // What the player sees: the first paint of the window; then the cells beyond the view.
        while ((paint.at < 0 || screen->findChildren<TitleBox *>().size() < StripMath::MaxCells)
               && timer.elapsed() < 10000)
            QCoreApplication::processEvents();
        drawn.append(paint.at);
        built.append(timer.nsecsElapsed() / 1e6);
        (i == 0 ? firstOpen : lastOpen) = residentMiB();
        if (i == 0) {
            // The arrows' walk to the end and back, each step with what it decodes and paints.
            auto *bar = screen->findChild<QScrollBar *>(QStringLiteral("hsMain"));
            const int max = bar->maximum();
            for (int pass = 0; pass < 2; ++pass) {
                do {
                    timer.restart();
                    bar->setValue(pass == 0 ? StripMath::nextValue(bar->value(), max)
                                            : StripMath::backValue(bar->value()));
                    screen->repaint();
                    steps.append(timer.nsecsElapsed() / 1e6);
                } while (bar->value() != (pass == 0 ? max : StripMath::ScrollMin));
            }
            walked = residentMiB();
        }
        // Gone without handing over to another screen.
        delete screen;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        timer.restart();
        if (!preparePage(profile, Bonus))
            qFatal("extraction failed");
        extraction.append(timer.nsecsElapsed() / 1e6);
        removeTempPictures();
        ratio.append(ready.last() / extraction.last());
    }
    out << QStringLiteral("  open to ready: %1 ms (first run %2 ms)\n")
               .arg(median(ready), 0, 'f', 1)
               .arg(ready.first(), 0, 'f', 1)
        << QStringLiteral("    processor time of all threads: %1 ms\n").arg(median(processor), 0, 'f', 1)
        << QStringLiteral("    the extraction of the category into Temp/ alone: %1 ms\n")
               .arg(median(extraction), 0, 'f', 1)
        << QStringLiteral("  open to ready / extraction: %1 (median of the runs' ratios; goal at most 2.5)\n")
               .arg(median(ratio), 0, 'f', 2)
        << QStringLiteral("  open to first paint: %1 ms; to the whole strip built: %2 ms\n")
               .arg(median(drawn), 0, 'f', 1)
               .arg(median(built), 0, 'f', 1)
        << QStringLiteral("  an arrow step, decoding and painting: %1 ms, slowest %2 ms (%3 steps)\n")
               .arg(median(steps), 0, 'f', 1)
               .arg(*std::max_element(steps.begin(), steps.end()), 0, 'f', 1)
               .arg(steps.size())
        << QStringLiteral("  resident memory (VmRSS): %1 MiB before opening, %2 MiB with the strip open,"
                          " %3 MiB after walking it to the end and back, %4 MiB open after %5 openings\n")
               .arg(before, 0, 'f', 1)
               .arg(firstOpen, 0, 'f', 1)
               .arg(walked, 0, 'f', 1)
               .arg(runs > 1 ? lastOpen : firstOpen, 0, 'f', 1)
               .arg(runs);
    return 0;
}
