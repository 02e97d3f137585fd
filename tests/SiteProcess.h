#pragma once

// The real lumivo-site on a free port of 127.0.0.1, over a data folder and database of the test's
// own, for the tests of the game's downloads and record posts.

#include <QProcess>
#include <QUrl>

class SiteProcess
{
public:
    SiteProcess(const QString &dataFolder, const QString &database)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(LUMIVO_SITE_EXE),
                        {QStringLiteral("--data"), dataFolder, QStringLiteral("--db"), database,
                         QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0")});
        if (m_process.waitForStarted(10000) && m_process.waitForReadyRead(10000)) {
            const QByteArray line = m_process.readLine().trimmed();
            m_port = quint16(line.mid(line.lastIndexOf(':') + 1).toUInt());
        }
    }
    ~SiteProcess()
    {
        m_process.kill();
        m_process.waitForFinished(10000);
    }

    bool isRunning() const { return m_port != 0; }
    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(m_port)); }

private:
    QProcess m_process;
    quint16 m_port = 0;
};
