// Page counter, solved counter and arrow masks of the Classic screen.

#include "play/PageMath.h"

#include <QtTest>

class tst_PageMath : public QObject
{
    Q_OBJECT

private slots:
    void positionShowsPagesAsARealNumber_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");

        QTest::newRow("page 2 of 45 pictures") << 2 << 45 << "2/5";
        QTest::newRow("single page") << 1 << 9 << "1/1";
        QTest::newRow("no pictures") << 1 << 0 << "1/0";
        QTest::newRow("a short last page") << 1 << 21 << "1/2,33333333333333";
    }
    void positionShowsPagesAsARealNumber()
    {
        QFETCH(int, page);
        QFETCH(int, count);
        QFETCH(QString, text);
        QCOMPARE(PageMath::positionText(page, count), text);
    }

    void lastPageCountsAShortPage_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("last");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("nine") << 9 << 1;
        QTest::newRow("ten") << 10 << 2;
    }
    void lastPageCountsAShortPage()
    {
        QFETCH(int, count);
        QFETCH(int, last);
        QCOMPARE(PageMath::lastPage(count), last);
    }
};

QTEST_GUILESS_MAIN(tst_PageMath)
#include "tst_PageMath.moc"
