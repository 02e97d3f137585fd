// The time text of the play clock.

#include "base/TimeText.h"

#include <QtTest>
#include <limits>

class tst_TimeText : public QObject
{
    Q_OBJECT

private slots:
    void secondsReadAsHoursMinutesSeconds_data()
    {
        QTest::addColumn<qint32>("seconds");
        QTest::addColumn<QString>("text");

        QTest::newRow("0") << 0 << "0:00:00";
        QTest::newRow("999999, the most a profile holds") << 999999 << "277:46:39";
        QTest::newRow("largest") << std::numeric_limits<qint32>::max() << "596523:14:07";
        QTest::newRow("negative") << -1 << "0:00:00";
    }
    void secondsReadAsHoursMinutesSeconds()
    {
        QFETCH(qint32, seconds);
        QFETCH(QString, text);
        QCOMPARE(FormatTime(seconds), text);
    }
};

QTEST_GUILESS_MAIN(tst_TimeText)
#include "tst_TimeText.moc"
