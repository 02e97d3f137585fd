#pragma once

#include <QObject>

// For bench/startup.sh: with LUMIVO_BENCH_STARTUP set to the moment the program was started
// (nanoseconds since the epoch), prints the milliseconds until the first window has been shown
// and drawn. The game runs on as usual, so the script can go on to measure it.
class StartupProbe : public QObject
{
public:
    StartupProbe(qint64 startNs, QObject *parent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    qint64 m_startNs;
};
