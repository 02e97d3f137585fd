// The page list as the play screens read it: Windows-1252 lines "cc:pp:kkkk:nnn:title".

#include "TestSupport.h"
#include "TinyContent.h"
#include "content/PageList.h"

#include <QtTest>

namespace {
const QString List = QStringLiteral("Temp/~temp.tmp");
}

class tst_PageList : public QObject
{
    Q_OBJECT

private slots:
    void readsWellFormedLists()
    {
        GameFolderFixture game;
        TinyContent::put(game, List,
                         "12:00:0001:119:Casablanca\r\n12:00:0002:120:La vita \xE8 bella\x85\r\n");
        Result<QVector<PageLine>> list = readPageList();
        QVERIFY2(list, qPrintable(list.problem()));
        QVector<PageLine> lines = *list;
        QCOMPARE(lines.size(), 2); // nothing after the last CR LF
        QCOMPARE(lines[1].picture, 120);
        QCOMPARE(lines[1].code(), QStringLiteral("12000002"));
        QCOMPARE(lines[1].title, QStringLiteral("La vita è bella…"));
        QCOMPARE(lines[1].picturePath(), game.path(QStringLiteral("Temp/0002.tmp")));

        TinyContent::put(game, List, "01:01:0001:001:Up\r\n01:01:0002:002:Dumbo");
        list = readPageList();
        QVERIFY2(list, qPrintable(list.problem()));
        lines = *list;
        QCOMPARE(lines.size(), 2); // the last line needs no CR LF
        QCOMPARE(lines[1].title, QStringLiteral("Dumbo"));
    }

    void refusesMissingAndDamagedLists()
    {
        GameFolderFixture game;
        QString problem = readPageList().problem();
        QVERIFY2(problem.contains(QStringLiteral("Temp/~temp.tmp manca")), qPrintable(problem));

        // The Alpha's lines have three fields.
        TinyContent::put(game, List, "01:01:0001:001:Up\r\n0001:017:Up\r\n");
        problem = readPageList().problem();
        QVERIFY2(problem.contains(QStringLiteral("La riga 2 della lista delle immagini Temp/~temp.tmp è "
                                                 "danneggiata: ha 3 campi")),
                 qPrintable(problem));
        TinyContent::put(game, List, "01:01:0001:0x1:Up\r\n");
        problem = readPageList().problem();
        QVERIFY2(problem.contains(QStringLiteral("\"0x1\" non è un numero")), qPrintable(problem));
    }
};

QTEST_GUILESS_MAIN(tst_PageList)
#include "tst_PageList.moc"
