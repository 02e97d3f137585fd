#include "pack/GrabProgram.h"

#include "pack/Interrupt.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>

namespace GrabProgram {

QString path()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/lumivo-grab");
}

QString notInstalled()
{
    return QStringLiteral("la parte che legge i film (%1) non è installata: lumivo-pack è stato compilato "
                          "senza FFmpeg e OpenCV")
        .arg(QDir::toNativeSeparators(path()));
}

Run run(const QStringList &arguments)
{
    Run result;
    if (!QFileInfo(path()).isExecutable())
        return result;
    QProcess process;
    process.start(path(), arguments);
    result.started = process.waitForStarted();
    if (!result.started)
        return result;
    // Short waits, so that an interrupted build stops its grab at once and cleans up.
    while (!process.waitForFinished(100)) {
        if (Interrupt::requested() || process.state() == QProcess::NotRunning) {
            process.kill();
            process.waitForFinished();
            break;
        }
    }
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : 1;
    if (process.exitStatus() != QProcess::NormalExit && !Interrupt::requested())
        result.err += QStringLiteral("ERRORE: %1 si è interrotto\n").arg(path()).toUtf8();
    return result;
}

} // namespace GrabProgram
