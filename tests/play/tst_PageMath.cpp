// Page counter and next-arrow mask of the Classic screen.

#include "play/PageMath.h"

#include <QtTest>

class tst_PageMath : public QObject
{
    Q_OBJECT

private slots:
    // The number of pages is shown as a real number; a short last page still has the next arrow
    // covered.
    void positionShowsPagesAsARealNumber_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("last");
        QTest::newRow("page 2 of 45 pictures") << 2 << 45 << "2/5" << false;
        QTest::newRow("single page") << 1 << 9 << "1/1" << true;
        QTest::newRow("no pictures") << 1 << 0 << "1/0" << true;
        QTest::newRow("a short last page ahead") << 2 << 21 << "2/2,33333333333333" << false;
        QTest::newRow("on a short last page") << 3 << 21 << "3/2,33333333333333" << true;
    }
    void positionShowsPagesAsARealNumber()
    {
        QFETCH(int, page);
        QFETCH(int, count);
        QFETCH(QString, text);
        QFETCH(bool, last);
        QCOMPARE(PageMath::positionText(page, count), text);
        QCOMPARE(PageMath::arrowMasks(page, count).next, last);
    }
};

QTEST_GUILESS_MAIN(tst_PageMath)
#include "tst_PageMath.moc"
