// The record form page: its eight lines, and names that must not break its markup.

#include "shell/RecordForm.h"

#include <QtTest>

class tst_RecordForm : public QObject
{
    Q_OBJECT

private slots:
    void thePageHoldsItsEightLines()
    {
        const QByteArray page
            = RecordForm::page(QUrl(QStringLiteral("http://127.0.0.1:8642/LumivoPro/record.asp")),
                               QStringLiteral("Mario"), {5, 0, 70, 1234});
        QCOMPARE(page, QByteArray("<FORM ACTION='http://127.0.0.1:8642/LumivoPro/record.asp' NAME='record' "
                                  "METHOD='POST'>\r\n"
                                  "  <input type=hidden name=usr value='Mario'>\r\n"
                                  "  <input type=hidden name=val value='000005000000000070001234'>\r\n"
                                  "</FORM>\r\n"
                                  "       \r\n"
                                  "<script language='vbscript'>\r\n"
                                  "  record.submit\r\n"
                                  "</script>\r\n"));
    }

    void aNameCannotBreakOutOfItsAttribute_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("written");
        QTest::newRow("apostrophe") << QStringLiteral("D'Amico") << QStringLiteral("D&#39;Amico");
        QTest::newRow("ampersand and quote")
            << QStringLiteral("A & \"B\"") << QStringLiteral("A &amp; &quot;B&quot;");
        QTest::newRow("beyond ASCII") << QStringLiteral("Niccolò €") << "Niccol&#242; &#8364;";
    }
    void aNameCannotBreakOutOfItsAttribute()
    {
        QFETCH(QString, name);
        QFETCH(QString, written);
        const QList<QByteArray> lines = RecordForm::page(QUrl(), name, {}).split('\n');
        QCOMPARE(lines.value(1), "  <input type=hidden name=usr value='" + written.toLatin1() + "'>\r");
    }
};

QTEST_GUILESS_MAIN(tst_RecordForm)
#include "tst_RecordForm.moc"
