// Which typed texts name a stored title.

#include "play/TitleMatch.h"

#include <QtTest>

class tst_TitleMatch : public QObject
{
    Q_OBJECT

private slots:
    // The marks , ; : . go and capitals, accented ones too, are lowered; nothing else is touched.
    void typedTextMatchesExactlyWhenNormalFormsAgree_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("matches");

        const QString conte = QStringLiteral("Il conte, la dama.");
        QTest::newRow("the four marks go") << "a,b;c:d.e"
                                           << "ABCDE" << true;
        QTest::newRow("accented capitals") << QStringLiteral("ÈÀÙÒÌÉ") << QStringLiteral("èàùòìé") << true;
        QTest::newRow("apostrophes, hyphens, slashes, digits kept") << "L'A-B/2!?"
                                                                    << "l'a-b/2!?" << true;
        QTest::newRow("lower case without marks") << conte << "il conte la dama" << true;
        QTest::newRow("two blanks") << conte << "Il conte  la dama" << false;
        QTest::newRow("apostrophe left out") << "L'ultimo uomo"
                                             << "lultimo uomo" << false;
        QTest::newRow("plain e for è") << QStringLiteral("Così è") << QStringLiteral("così e") << false;
        QTest::newRow("slash alternative not accepted") << "Alien/Aliens"
                                                        << "alien" << false;
    }
    void typedTextMatchesExactlyWhenNormalFormsAgree()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, matches);
        QVERIFY2(TitleMatches(typed, stored) == matches,
                 qPrintable(QStringLiteral("\"%1\" against \"%2\": normal forms \"%3\" and \"%4\"")
                                .arg(typed, stored, NormaliseTitle(typed), NormaliseTitle(stored))));
    }
};

QTEST_GUILESS_MAIN(tst_TitleMatch)
#include "tst_TitleMatch.moc"
