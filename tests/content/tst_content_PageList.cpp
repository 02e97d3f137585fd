// The page list as the play screens read it: Windows-1252 lines "cc:pp:kkkk:nnn:title".

#include "TestSupport.h"
#include "TinyContent.h"
#include "content/PageList.h"

#include <QtTest>

namespace {
const QString List = QStringLiteral("Temp/~temp.tmp");
}

class tst_content_PageList : public QObject
{
    Q_OBJECT

private slots:
    void readsWellFormedLists()
    {
        GameFolderFixture game;
        QVector<PageLine> lines;
        QString error;
        TinyContent::put(game, List,
                         "12:00:0001:119:Casablanca\r\n12:00:0002:120:La vita \xE8 bella\x85\r\n");
        QVERIFY2(ReadPageList(&lines, &error), qPrintable(error));
        QCOMPARE(lines.size(), 2); // nothing after the last CR LF
        QCOMPARE(lines[1].picture, 120);
        QCOMPARE(lines[1].code(), QStringLiteral("12000002"));
        QCOMPARE(lines[1].title, QStringLiteral("La vita è bella…"));
        QCOMPARE(lines[1].picturePath(), game.path(QStringLiteral("Temp/0002.tmp")));

        TinyContent::put(game, List, "01:01:0001:001:Up\r\n01:01:0002:002:Dumbo");
        QVERIFY2(ReadPageList(&lines, &error), qPrintable(error));
        QCOMPARE(lines.size(), 2); // the last line needs no CR LF
        QCOMPARE(lines[1].title, QStringLiteral("Dumbo"));
    }

    void refusesMissingAndDamagedLists()
    {
        GameFolderFixture game;
        QVector<PageLine> lines {PageLine()};
        QString error;
        QVERIFY(!ReadPageList(&lines, &error));
        QVERIFY(lines.isEmpty());
        QVERIFY2(error.contains(QStringLiteral("Temp/~temp.tmp manca")), qPrintable(error));

        // The Alpha's lines have three fields.
        TinyContent::put(game, List, "01:01:0001:001:Up\r\n0001:017:Up\r\n");
        QVERIFY(!ReadPageList(&lines, &error));
        QVERIFY2(error.contains(QStringLiteral("La riga 2 della lista delle immagini Temp/~temp.tmp è "
                                               "danneggiata: ha 3 campi")),
                 qPrintable(error));
        TinyContent::put(game, List, "01:01:0001:0x1:Up\r\n");
        QVERIFY(!ReadPageList(&lines, &error));
        QVERIFY2(error.contains(QStringLiteral("\"0x1\" non è un numero")), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(tst_content_PageList)
#include "tst_content_PageList.moc"
