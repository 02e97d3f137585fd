// The information panel: one click for panel and text, and a text that always fits.

#include "base/GameTypes.h"
#include "play/CategoryPlay.h"
#include "play/ClassicPlayScreen.h"
#include "play/StripPlayScreen.h"
#include "widgets/InfoPanel.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

namespace {
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
    // A click on the panel or on its text is one; a right click or one let go outside is none.
    void aClickOnThePanelOrItsTextIsOneClick()
    {
        InfoPanel panel;
        panel.setGeometry(0, 0, 617, 451);
        panel.setMessage(ClassicPlayScreen::instructions());
        panel.show();
        QSignalSpy clicked(&panel, &InfoPanel::clicked);
        QTest::mouseClick(panel.lblMessage(), Qt::LeftButton);
        QTest::mouseClick(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QTest::mouseClick(&panel, Qt::RightButton, Qt::NoModifier, QPoint(3, 3));
        QTest::mousePress(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
        QTest::mouseRelease(&panel, Qt::LeftButton, Qt::NoModifier, QPoint(-3, 3));
        QCOMPARE(clicked.count(), 2);
    }

    void theTextFitsTallAndLowPanels_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("text");
        QTest::newRow("low strip panel") << QSize(617, 163) << BonusPlayScreen::instructions();
        // The longest line of what a win opened: Puzzle and four categories.
        Unlock::Opened most;
        most.gameTypes = {Game::Puzzle};
        most.categories = {6, 10, 15, 18};
        QTest::newRow("win on the low strip panel")
            << QSize(617, 163) << CategoryPlay::winMessage() + QStringLiteral("\n\n") + openedText(most);
    }
    void theTextFitsTallAndLowPanels()
    {
        QFETCH(QSize, size);
        QFETCH(QString, text);
        InfoPanel panel;
        panel.setMessage(text);
        panel.resize(size);
        panel.show();
        QLabel *label = panel.lblMessage();
        QVERIFY(QRect(QPoint(0, 0), size).contains(label->geometry()));
        QVERIFY2(neededHeight(label) <= label->height(), qPrintable(QString::number(neededHeight(label))));
    }
};

QTEST_MAIN(tst_InfoPanel)
#include "tst_InfoPanel.moc"
