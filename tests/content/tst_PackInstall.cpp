// The check a downloaded pack and title index must pass before they replace anything: what the
// indexes do not describe is refused, in a sentence for the player.

#include "Pictures.h"
#include "TinyContent.h"
#include "content/PackInstall.h"

#include <QtTest>

namespace {
constexpr int Category = 7;

QByteArray picture(int n)
{
    return Pictures::flat(n);
}
} // namespace

class tst_PackInstall : public QObject
{
    Q_OBJECT

    GameFolderFixture m_game;
    TinyContent m_content = TinyContent::numbered({9, 0, 0, 0, 0, 0, 3}, picture);

private slots:
    void initTestCase() { m_content.write(m_game); }

    void whatTheIndexesDoNotDescribeIsRefused_data()
    {
        QTest::addColumn<bool>("inPack"); // else in the title index
        QTest::addColumn<int>("offset");  // where `bytes` go; -1: they are the whole file
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        const QByteArray pack = TinyContent::pack(m_content.pictures[Category]);
        const QByteArray titles = m_game.read(QStringLiteral("Data/index.lvt"));
        QTest::newRow("zeros for the pack")
            << true << -1 << QByteArray(pack.size(), '\0')
            << "Data/0007.lvd scaricato non è quello che descrivono gli indici: "
               "l'immagine 1 non si può leggere.";
        QTest::newRow("an HTML page for the pack")
            << true << -1 << QByteArray("<html><body>Non trovato</body></html>").leftJustified(pack.size())
            << "l'immagine 1 non si può leggere";
        QTest::newRow("pack a byte short")
            << true << -1 << pack.chopped(1)
            << QStringLiteral("è lungo %1 byte invece di %2").arg(pack.size() - 1).arg(pack.size());
        QTest::newRow("a picture that does not decode")
            << true << TinyContent::Header + int(m_content.pictures[Category][0].size()) << QByteArray("JUNK")
            << "l'immagine 2 non si può leggere";
        QTest::newRow("junk titles of the right size") << false << -1 << QByteArray(titles.size(), '\x7F')
                                                       << "il titolo dell'immagine 1 non è leggibile";
        QTest::newRow("titles a record short") << false << -1 << titles.chopped(82) << "Data/index.lvt";
        QTest::newRow("a title over 80 bytes")
            << false << 82 * 4 << QByteArray("\x51\x00", 2) << "il titolo dell'immagine 5 non è leggibile";
        QTest::newRow("a title with a control character")
            << false << 82 * 2 + 2 << QByteArray("\x02")
            << QStringLiteral("immagine 3, il titolo \"\uFFFDilm 3\" contiene un carattere di controllo");
        QTest::newRow("a title with a colon")
            << false << 82 * 11 + 3 << QByteArray(1, ':' + 1) << "contiene \":\"";
    }
    void whatTheIndexesDoNotDescribeIsRefused()
    {
        QFETCH(bool, inPack);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const Result<PackInstall::Plan> plan = PackInstall::plan(m_game.table(), Category);
        QVERIFY2(plan.ok(), qPrintable(plan.problem()));
        QByteArray pack = TinyContent::pack(m_content.pictures[Category]);
        QByteArray titles = m_game.read(QStringLiteral("Data/index.lvt"));
        QVERIFY2(PackInstall::check(*plan, pack, titles).ok(), "the content as written passes");
        QByteArray &damaged = inPack ? pack : titles;
        if (offset < 0)
            damaged = bytes;
        else
            damaged.replace(offset, bytes.size(), bytes);
        const Result<> checked = PackInstall::check(*plan, pack, titles);
        QVERIFY2(!checked.ok() && checked.problem().contains(expected) && checked.problem().at(0).isUpper(),
                 qPrintable(checked.problem()));
    }
};

QTEST_GUILESS_MAIN(tst_PackInstall)
#include "tst_PackInstall.moc"
