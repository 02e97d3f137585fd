// The site's pages under the address the player gives, a mirror's folder included.

#include "base/SiteAddress.h"

#include <QtTest>

class tst_SiteAddress : public QObject
{
    Q_OBJECT

private slots:
    void everyPageLiesUnderTheGivenAddress_data()
    {
        QTest::addColumn<QString>("site"); // as given after --site
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("expected");
        QTest::newRow("root") << "http://127.0.0.1:8642/"
                              << "data"
                              << "http://127.0.0.1:8642/LumivoPro/Data/0007.lvd";
        QTest::newRow("mirror, data") << "http://host/mirror/lumivo/"
                                      << "data"
                                      << "http://host/mirror/lumivo/LumivoPro/Data/0007.lvd";
        QTest::newRow("mirror, record") << "http://host/mirror/lumivo/"
                                        << "record"
                                        << "http://host/mirror/lumivo/LumivoPro/record.asp";
        QTest::newRow("mirror, ranking") << "https://host/mirror/lumivo/"
                                         << "ranking"
                                         << "https://host/mirror/lumivo/LumivoPro/ranking";
        QTest::newRow("mirror with no last slash, forum") << "http://host/mirror/lumivo"
                                                          << "forum"
                                                          << "http://host/mirror/lumivo/forum/index.php";
    }
    void everyPageLiesUnderTheGivenAddress()
    {
        QFETCH(QString, site);
        QFETCH(QString, page);
        QFETCH(QString, expected);
        QVERIFY(SiteAddress::configure(site));
        const QUrl url = page == QLatin1String("data")     ? SiteAddress::dataFile(QStringLiteral("0007.lvd"))
                         : page == QLatin1String("record") ? SiteAddress::recordPage()
                         : page == QLatin1String("forum")  ? SiteAddress::forumPage()
                                                           : SiteAddress::rankingPage();
        QCOMPARE(url.toString(), expected);
    }
};

QTEST_GUILESS_MAIN(tst_SiteAddress)
#include "tst_SiteAddress.moc"
