// The page list as the play screens read it: Windows-1252 lines "cc:pp:kkkk:nnn:title".

#include "TestSupport.h"
#include "content/PageList.h"

#include <QtTest>

class tst_content_PageList : public QObject
{
    Q_OBJECT

private:
    static void writeList(const GameFolderFixture &game, const QByteArray &bytes)
    {
        QFile file(game.path(QStringLiteral("Temp/~temp.tmp")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void readsWellFormedLists_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("last");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("title");
        QTest::newRow("one line, CR LF") << QByteArray("03:02:0001:150:Via col vento\r\n") << 1 << 150
                                         << QStringLiteral("03020001") << QStringLiteral("Via col vento");
        QTest::newRow("accents and ellipsis in Windows-1252")
            << QByteArray("12:00:0001:119:Casablanca\r\n12:00:0002:120:La vita \xE8 bella\x85\r\n") << 2
            << 120 << QStringLiteral("12000002") << QStringLiteral("La vita è bella…");
        QTest::newRow("last line without its CR LF")
            << QByteArray("01:01:0001:001:Up\r\n01:01:0002:002:Dumbo") << 2 << 2 << QStringLiteral("01010002")
            << QStringLiteral("Dumbo");
        QTest::newRow("a sixth field is cut off") << QByteArray("05:03:0001:064:Atto:di forza\r\n") << 1 << 64
                                                  << QStringLiteral("05030001") << QStringLiteral("Atto");
        QTest::newRow("empty title") << QByteArray("05:03:0001:1064:\r\n") << 1 << 1064
                                     << QStringLiteral("05030001") << QString();
    }
    void readsWellFormedLists()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, count);
        QFETCH(int, last);
        QFETCH(QString, code);
        QFETCH(QString, title);
        GameFolderFixture game;
        writeList(game, bytes);
        QVector<PageLine> lines;
        QString error;
        QVERIFY2(ReadPageList(&lines, &error), qPrintable(error));
        QCOMPARE(lines.size(), count);
        QCOMPARE(lines.last().picture, last);
        QCOMPARE(lines.last().code(), code);
        QCOMPARE(lines.last().title, title);
        QCOMPARE(lines.last().picturePath(),
                 game.path(QStringLiteral("Temp/") + code.right(4) + QStringLiteral(".tmp")));
    }

    void refusesDamagedLists_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected"); // part of the message
        QTest::newRow("four fields") << QByteArray("01:01:0001:001:Up\r\n01:01:0002:002\r\n")
                                     << QStringLiteral("La riga 2 ");
        QTest::newRow("picture number not a number")
            << QByteArray("01:01:0001:0x1:Up\r\n") << QStringLiteral("\"0x1\" non è un numero");
        QTest::newRow("the Alpha's three fields")
            << QByteArray("0001:017:Up\r\n") << QStringLiteral("3 campi");
    }
    void refusesDamagedLists()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        GameFolderFixture game;
        writeList(game, bytes);
        QVector<PageLine> lines;
        QString error;
        QVERIFY(!ReadPageList(&lines, &error));
        QVERIFY2(error.contains(expected), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("Temp/~temp.tmp")), qPrintable(error));
    }

    void missingListIsAnError()
    {
        GameFolderFixture game;
        QVector<PageLine> lines {PageLine()};
        QString error;
        QVERIFY(!ReadPageList(&lines, &error));
        QVERIFY(lines.isEmpty());
        QVERIFY2(error.contains(QStringLiteral("manca")), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(tst_content_PageList)
#include "tst_content_PageList.moc"
