// The record value: four play times as digits, and back.

#include "profile/RecordValue.h"

#include <QtTest>
#include <limits>

using RecordValue::Times;
Q_DECLARE_METATYPE(Times)

class tst_RecordValue : public QObject
{
    Q_OBJECT

private slots:
    void timesWriteAndReadBack_data()
    {
        QTest::addColumn<Times>("times");
        QTest::addColumn<QString>("value");

        QTest::newRow("5, 0, 70, 1234") << Times {5, 0, 70, 1234} << "000005000000000070001234";
        QTest::newRow("one time of seven digits widens all four")
            << Times {1000000, 1, 2, 3} << "1000000000000100000020000003";
        QTest::newRow("largest") << Times {std::numeric_limits<qint32>::max(), 0, 0, 0}
                                 << "2147483647000000000000000000000000000000";
    }
    void timesWriteAndReadBack()
    {
        QFETCH(Times, times);
        QFETCH(QString, value);
        QCOMPARE(RecordValue::make(times), value);
        const auto parsed = RecordValue::parse(value);
        QVERIFY(parsed);
        QCOMPARE(*parsed, times);
    }

    void negativeTimeIsWrittenAsZero()
    {
        QCOMPARE(RecordValue::make({-5, 1, 2, 3}), QStringLiteral("000000000001000002000003"));
    }

    void malformedValuesAreRefused_data()
    {
        QTest::addColumn<QString>("value");
        QTest::newRow("23 digits") << "00000500000000007000123";
        QTest::newRow("44 digits, fields too wide") << QString(44, QLatin1Char('0'));
        QTest::newRow("time beyond 32 bits") << "2147483648000000000000000000000000000000";
        QTest::newRow("blank") << "000005 00000000070001234";
        QTest::newRow("Arabic-Indic digit") << QString("00000500000000007000123") + QChar(0x0664);
    }
    void malformedValuesAreRefused()
    {
        QFETCH(QString, value);
        QVERIFY(!RecordValue::parse(value));
    }
};

QTEST_GUILESS_MAIN(tst_RecordValue)
#include "tst_RecordValue.moc"
