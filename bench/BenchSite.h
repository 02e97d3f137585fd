#pragma once

// What the benchmarks share: the real lumivo-site on a free port of 127.0.0.1, and a process's
// memory as the system counts it.

#include <QFile>
#include <QProcess>
#include <QString>

#include <unistd.h>

namespace BenchSite {

// A memory figure of /proc/<pid>/status ("VmHWM", the most held; "VmRSS", held now), in KiB; pid 0
// is this process. -1 when it cannot be read.
inline qint64 memoryKiB(const char *field, qint64 pid = 0)
{
    QFile status(pid == 0 ? QStringLiteral("/proc/self/status") : QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray key = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(key.size()).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

#ifdef LUMIVO_SITE_EXE
// lumivo-site over `data` and `db`, stopped when the object goes.
class Site
{
public:
    Site(const QString &data, const QString &db, int startMs = 10000)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(LUMIVO_SITE_EXE),
                        {"--data", data, "--db", db, "--listen", "127.0.0.1:0"});
        if (!m_process.waitForReadyRead(startMs))
            qFatal("lumivo-site did not start");
        const QByteArray line = m_process.readLine().trimmed();
        port = quint16(line.mid(line.lastIndexOf(':') + 1).toUInt());
    }
    ~Site()
    {
        m_process.terminate();
        m_process.waitForFinished(10000);
    }
    quint16 port = 0;

    // The most memory the site has held, in KiB.
    qint64 peakMemory() const { return memoryKiB("VmHWM", m_process.processId()); }
    // The processor time the site has used, in seconds.
    double processorSeconds() const
    {
        QFile stat(QStringLiteral("/proc/%1/stat").arg(m_process.processId()));
        if (!stat.open(QIODevice::ReadOnly))
            return -1;
        // After the command's closing parenthesis: utime and stime are the 12th and 13th fields.
        const QByteArray text = stat.readAll();
        const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
        return (fields.value(11).toLongLong() + fields.value(12).toLongLong()) / double(sysconf(_SC_CLK_TCK));
    }

private:
    QProcess m_process;
};
#endif

} // namespace BenchSite
