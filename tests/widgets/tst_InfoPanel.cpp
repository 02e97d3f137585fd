// The information panel: one click for panel and text, and a text that always fits.

#include "widgets/InfoPanel.h"
#include "play/frmPlayClassic.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

namespace {
const QString LongText = QStringLiteral(
    "A differenza della modalità Classic, dovrai indovinare il titolo dei film guardando una scena in cui "
    "i volti degli attori sono stati sostituiti da elementi di disturbo. Non avrai un tempo limite, tuttavia "
    "più sarai veloce e migliore sarà la tua posizione in classifica, usa i comandi ai lati della finestra "
    "per spostarti tra le pagine; ogni pagina comprende tre immagini, quando le avrai indovinate tutte avrai "
    "vinto questa categoria. Ricordati che premendo F1 potrai vedere il codice dell'immagine, utile per dare "
    "suggerimenti e per segnalare eventuali errori.");

int neededHeight(QLabel *label)
{
    return QFontMetrics(label->font())
        .boundingRect(QRect(0, 0, label->width(), 100000), Qt::TextWordWrap | Qt::AlignHCenter, label->text())
        .height();
}
} // namespace

class tst_InfoPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    }

    void aClickOnThePanelOrItsTextIsOneClick()
    {
        InfoPanel panel;
        panel.setGeometry(0, 0, 617, 451);
        panel.setMessage(frmPlayClassic::Instructions);
        panel.show();
        QSignalSpy clicked(&panel, &InfoPanel::clicked);
        QTest::mouseClick(panel.lblMessage(), Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QCOMPARE(clicked.count(), 2);
        QTest::mouseClick(&panel, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
        QCOMPARE(clicked.count(), 2);
    }

    void theTextFitsTallAndLowPanels_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("largest");
        QTest::newRow("Classic panel") << QSize(617, 451) << frmPlayClassic::Instructions << true;
        QTest::newRow("low strip panel") << QSize(617, 163) << LongText << false;
    }
    void theTextFitsTallAndLowPanels()
    {
        QFETCH(QSize, size);
        QFETCH(QString, text);
        QFETCH(bool, largest);
        InfoPanel panel;
        panel.setMessage(text);
        panel.resize(size);
        panel.show();
        QLabel *label = panel.lblMessage();
        QVERIFY(QRect(QPoint(0, 0), size).contains(label->geometry()));
        QVERIFY2(
            neededHeight(label) <= label->height(),
            qPrintable(
                QStringLiteral("text needs %1 px, has %2").arg(neededHeight(label)).arg(label->height())));
        QCOMPARE(label->font().pointSize() == 13, largest);
        QVERIFY(label->wordWrap());
        QCOMPARE(panel.message(), text);
    }
};

QTEST_MAIN(tst_InfoPanel)
#include "tst_InfoPanel.moc"
