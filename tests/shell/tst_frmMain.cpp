// The game-type menu as the player meets it: what it shows for each stage of the profile and
// where its pictures and links lead.

#include "TestSupport.h"
#include "ScreenSupport.h"
#include "profile/clsUser.h"
#include "select/SelectionContent.h"
#include "shell/ClickableImage.h"
#include "shell/Screens.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

using namespace ScreenSupport;

namespace {
const QString NotAvailable = QStringLiteral("Questa parte del gioco non è ancora disponibile.");
} // namespace

class tst_frmMain : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;
    MessageRecorder *m_messages = nullptr;
    QPointer<frmMain> m_menu;

    frmMain *openMenu()
    {
        Screens::showMenu();
        m_menu = qobject_cast<frmMain *>(visibleTopLevel(QStringLiteral("frmMain")));
        return m_menu;
    }

    template <typename T = QWidget>
    T *control(const QString &name) const
    {
        return m_menu->findChild<T *>(name);
    }

    // A click where the control lies: whatever is on top there takes it.
    void clickPlaceOf(const QString &name)
    {
        QWidget *target = control(name);
        QVERIFY2(target, qPrintable(name));
        const QPoint centre = target->mapTo(m_menu.data(), target->rect().center());
        QWidget *top = m_menu->childAt(centre);
        QVERIFY(top);
        QTest::mouseClick(top, Qt::LeftButton, {}, top->mapFrom(m_menu.data(), centre));
    }

    QColor recordColour() const
    {
        return control<QLabel>(QStringLiteral("lblRecord"))->palette().color(QPalette::WindowText);
    }

    void setGroups(int bonus, int alpha, int puzzle)
    {
        objUser.setGroup(mdlConst::Bonus, qint16(bonus));
        objUser.setGroup(mdlConst::Alpha, qint16(alpha));
        objUser.setGroup(mdlConst::Puzzle, qint16(puzzle));
    }

private slots:
    void initTestCase()
    {
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    }

    void init()
    {
        m_game = new GameFolderFixture;
        SelectionContent::write(*m_game);
        QVERIFY(SelectionContent::newPlayer(objUser));
        objUser.curcat = 0;
        m_messages = new MessageRecorder(true);
    }

    void cleanup()
    {
        closeEveryWindow();
        delete m_messages;
        delete m_game;
    }

    void controlsLieAtTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("place");
        QTest::newRow("imgLogo") << "imgLogo" << QRect(97, 0, 240, 75);
        QTest::newRow("lblRecord") << "lblRecord" << QRect(112, 56, 57, 17);
        QTest::newRow("lblUpdate") << "lblUpdate" << QRect(240, 56, 97, 17);
        QTest::newRow("imgClassic") << "imgClassic" << QRect(8, 80, 204, 155);
        QTest::newRow("imgPuzzle") << "imgPuzzle" << QRect(216, 80, 204, 155);
        QTest::newRow("ImgAlpha") << "ImgAlpha" << QRect(8, 240, 204, 155);
        QTest::newRow("ImgBonus") << "ImgBonus" << QRect(216, 240, 204, 155);
        QTest::newRow("imgPzMask") << "imgPzMask" << QRect(216, 80, 204, 155);
        QTest::newRow("imgAlMask") << "imgAlMask" << QRect(8, 240, 204, 155);
        QTest::newRow("ImgBnMask") << "ImgBnMask" << QRect(216, 240, 204, 155);
        QTest::newRow("imgIncontri") << "imgIncontri" << QRect(8, 400, 412, 75);
        QTest::newRow("imgCustom") << "imgCustom" << QRect(8, 400, 412, 75);
        QTest::newRow("fraInfo") << "fraInfo" << QRect(8, 80, 412, 315);
    }

    void controlsLieAtTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QRect, place);
        QVERIFY(openMenu());
        QWidget *widget = control(name);
        QVERIFY2(widget, qPrintable(name));
        QCOMPARE(widget->geometry(), place);
        QVERIFY2(m_menu->rect().contains(place), "the control leaves the window");
    }

    void menuStartsAsLaidOut()
    {
        QVERIFY(openMenu());
        QCOMPARE(m_menu->windowTitle(), QStringLiteral("Selezione tipo di gioco"));
        QCOMPARE(control<QLabel>(QStringLiteral("lblRecord"))->text(), QStringLiteral("Record!"));
        QCOMPARE(control<QLabel>(QStringLiteral("lblUpdate"))->text(), QStringLiteral("Aggiornamenti"));
        QCOMPARE(recordColour(), frmMain::RecordBlue);
        auto *timer = control<QTimer>(QStringLiteral("tmrRecord"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 500);
        QVERIFY(!timer->isActive());
        QVERIFY(!control(QStringLiteral("fraInfo"))->isVisible());
        QVERIFY(!control(QStringLiteral("imgCustom"))->isVisible());
        QVERIFY(control(QStringLiteral("imgIncontri"))->isVisible());
        for (const char *picture : {"imgClassic", "imgPuzzle", "ImgAlpha", "ImgBonus", "imgLogo", "imgIncontri"})
            QVERIFY2(!control<QLabel>(QLatin1String(picture))->pixmap().isNull(), picture);
    }

    void masksFollowTheGameTypeStates_data()
    {
        QTest::addColumn<int>("bonus");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("puzzle");
        QTest::newRow("new player") << 0 << 0 << 0;
        QTest::newRow("Bonus open") << 1 << 0 << 0;
        QTest::newRow("Puzzle open") << 1 << 0 << 1;
        QTest::newRow("Alpha open") << 2 << 1 << 1;
        QTest::newRow("all completed") << 2 << 2 << 2;
    }

    void masksFollowTheGameTypeStates()
    {
        QFETCH(int, bonus);
        QFETCH(int, alpha);
        QFETCH(int, puzzle);
        setGroups(bonus, alpha, puzzle);
        QVERIFY(openMenu());
        const QVector<std::tuple<QString, QString, int>> pairs = {
            {QStringLiteral("ImgBnMask"), QStringLiteral("ImgBonus"), bonus},
            {QStringLiteral("imgAlMask"), QStringLiteral("ImgAlpha"), alpha},
            {QStringLiteral("imgPzMask"), QStringLiteral("imgPuzzle"), puzzle}};
        for (const auto &[mask, picture, state] : pairs) {
            QCOMPARE(control(mask)->isVisible(), state == 0);
            // Whatever lies on top at the picture's place is what a click reaches.
            const QPoint centre = control(picture)->geometry().center();
            QCOMPARE(m_menu->childAt(centre), control(state == 0 ? mask : picture));
        }
        QCOMPARE(m_menu->childAt(control(QStringLiteral("imgClassic"))->geometry().center()),
                 control(QStringLiteral("imgClassic")));
    }

    void maskedPicturesTakeNoClick()
    {
        QVERIFY(openMenu());
        for (const QString &picture : {QStringLiteral("ImgBonus"), QStringLiteral("ImgAlpha"), QStringLiteral("imgPuzzle")})
            clickPlaceOf(picture);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_menu && m_menu->isVisible());
        QCOMPARE(objUser.curcat, 0);
        QVERIFY2(m_messages->shown.isEmpty(), qPrintable(m_messages->lastText()));
        for (const char *screen : {"frmBonus", "frmPuzzle", "frmPlayAlpha"})
            QVERIFY2(!visibleTopLevel(QLatin1String(screen)), screen);
    }

    void customBannerAndRecordLabelFollowPuzzleAndRecord_data()
    {
        QTest::addColumn<int>("puzzle");
        QTest::addColumn<int>("record");
        QTest::addColumn<bool>("custom");
        QTest::addColumn<bool>("recordLabel");
        QTest::newRow("all completed, times not sent") << 2 << 0 << true << true;
        QTest::newRow("all completed, times sent") << 2 << 1 << true << false;
        QTest::newRow("Puzzle open, not sent") << 1 << 0 << false << false;
        QTest::newRow("Puzzle open, sent") << 1 << 1 << false << false;
        QTest::newRow("Puzzle locked, not sent") << 0 << 0 << false << false;
        QTest::newRow("Puzzle locked, sent") << 0 << 1 << false << false;
    }

    void customBannerAndRecordLabelFollowPuzzleAndRecord()
    {
        QFETCH(int, puzzle);
        QFETCH(int, record);
        QFETCH(bool, custom);
        QFETCH(bool, recordLabel);
        setGroups(puzzle == 2 ? 2 : 1, puzzle == 2 ? 2 : 0, puzzle);
        objUser.setRecord(qint16(record));
        QVERIFY(openMenu());
        QCOMPARE(control(QStringLiteral("imgCustom"))->isVisible(), custom);
        QCOMPARE(m_menu->childAt(control(QStringLiteral("imgIncontri"))->geometry().center()),
                 control(custom ? QStringLiteral("imgCustom") : QStringLiteral("imgIncontri")));
        QCOMPARE(control(QStringLiteral("lblRecord"))->isVisible(), recordLabel);
        QCOMPARE(control<QTimer>(QStringLiteral("tmrRecord"))->isActive(), recordLabel);
    }

    void recordLabelBlinksBlueAndRed()
    {
        QVERIFY(openMenu());
        QCOMPARE(recordColour(), frmMain::RecordBlue);
        m_menu->recordTick();
        QCOMPARE(recordColour(), frmMain::RecordRed);
        m_menu->recordTick();
        QCOMPARE(recordColour(), frmMain::RecordBlue);
        m_menu->recordTick();
        QCOMPARE(recordColour(), QColor(255, 0, 0));
        // The timer's tick drives the same blink.
        auto *timer = control<QTimer>(QStringLiteral("tmrRecord"));
        QVERIFY(QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection));
        QCOMPARE(recordColour(), frmMain::RecordBlue);
    }

    void answeringNoKeepsTheRecordLabelBlinking()
    {
        setGroups(2, 2, 2);
        QVERIFY(openMenu());
        m_messages->answer(false);
        clickPlaceOf(QStringLiteral("lblRecord"));
        QCOMPARE(m_messages->shown.size(), 1);
        const Messages::Message question = m_messages->shown.first();
        QCOMPARE(question.title, QStringLiteral("Record"));
        QCOMPARE(question.text, QStringLiteral("Desideri inviare il tuo punteggio sul web?\n"
                                               "(Dovrai essere già connesso ad internet)"));
        QCOMPARE(question.kind, Messages::Kind::Question);
        QVERIFY(control(QStringLiteral("lblRecord"))->isVisible());
        QVERIFY(control<QTimer>(QStringLiteral("tmrRecord"))->isActive());
        QCOMPARE(int(objUser.record()), 0);
    }

    // Nothing can be sent yet: the label goes for now, but the times are not marked as sent,
    // so the menu offers them again next time.
    void answeringYesStopsTheBlinkWithoutMarkingUnsentTimes()
    {
        setGroups(2, 2, 2);
        QVERIFY(openMenu());
        clickPlaceOf(QStringLiteral("lblRecord"));
        QVERIFY(!control(QStringLiteral("lblRecord"))->isVisible());
        QVERIFY(!control<QTimer>(QStringLiteral("tmrRecord"))->isActive());
        QCOMPARE(m_messages->shown.size(), 2);
        QCOMPARE(m_messages->lastText(), NotAvailable);
        QCOMPARE(int(objUser.record()), 0);

        m_menu->load();
        QVERIFY(control(QStringLiteral("lblRecord"))->isVisible());
    }

    void choosingAGameTypeOpensItsSelectionScreenAndClosesTheMenu_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("screen");
        QTest::newRow("Classic") << "imgClassic" << "frmClassic";
        QTest::newRow("Bonus") << "ImgBonus" << "frmBonus";
        QTest::newRow("Puzzle") << "imgPuzzle" << "frmPuzzle";
    }

    void choosingAGameTypeOpensItsSelectionScreenAndClosesTheMenu()
    {
        QFETCH(QString, picture);
        QFETCH(QString, screen);
        setGroups(1, 0, 1);
        QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
        QVERIFY(openMenu());
        clickPlaceOf(picture);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY2(visibleTopLevel(screen), qPrintable(screen));
        QVERIFY(m_menu.isNull());
        QCOMPARE(lastClosed.count(), 0);
    }

    void alphaSetsTheCategoryBeforeTheMenuGoes()
    {
        setGroups(2, 1, 1);
        QVERIFY(openMenu());
        int curcatWhenTold = -1;
        Messages::setHandler([&](const Messages::Message &message) {
            m_messages->shown.append(message);
            curcatWhenTold = objUser.curcat;
            return true;
        });
        clickPlaceOf(QStringLiteral("ImgAlpha"));
        QCOMPARE(objUser.curcat, 21);
        QCOMPARE(curcatWhenTold, 21);
        QCOMPARE(m_messages->lastText(), NotAvailable);
        // No Alpha screen yet: the player stays on the menu.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_menu && m_menu->isVisible());
    }

    void logoAndUpdatesOpenTheInformationPanel_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::newRow("logo") << "imgLogo";
        QTest::newRow("updates") << "lblUpdate";
    }

    void logoAndUpdatesOpenTheInformationPanel()
    {
        QFETCH(QString, opener);
        setGroups(1, 0, 0);
        QVERIFY(openMenu());
        QWidget *panel = control(QStringLiteral("fraInfo"));
        clickPlaceOf(opener);
        QVERIFY(panel->isVisible());
        // The panel lies over the pictures and their masks.
        for (const char *picture : {"imgClassic", "imgPuzzle", "ImgAlpha", "ImgBonus"}) {
            QWidget *top = m_menu->childAt(control(QLatin1String(picture))->geometry().center());
            QVERIFY2(top == panel || panel->isAncestorOf(top), picture);
        }
        clickPlaceOf(QStringLiteral("imgClose"));
        QVERIFY(!panel->isVisible());
        QCOMPARE(m_menu->childAt(control(QStringLiteral("imgClassic"))->geometry().center()),
                 control(QStringLiteral("imgClassic")));
    }

    void informationPanelTexts()
    {
        QVERIFY(openMenu());
        QCOMPARE(control<QLabel>(QStringLiteral("Label2"))->text(), QStringLiteral("Aggiornamenti"));
        QCOMPARE(control<QLabel>(QStringLiteral("Label16"))->text(),
                 QStringLiteral("(per ricevere aiuto ed assistenza sul gioco)"));
        const QList<QLabel *> label3 = m_menu->findChildren<QLabel *>(QStringLiteral("Label3"));
        QCOMPARE(label3.size(), 2);
        const QString notice = QStringLiteral(
            "Prima di proseguire, assicurarsi di essere connessi ad internet e di avere i permessi per "
            "scaricare files. In caso di problemi ripetete l'aggiornamento o consultare il forum di ");
        QVERIFY2(label3.first()->text().startsWith(notice), qPrintable(label3.first()->text()));
        QVERIFY(label3.first()->text().size() > notice.size());
        QVERIFY(!label3.last()->text().isEmpty());
        QVERIFY(!control<QLabel>(QStringLiteral("lblForum"))->text().isEmpty());
    }

    void downloadLinksNameTheCategories_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("caption");
        for (int k = 1; k <= 20; ++k) {
            const QString caption = k == 5   ? QStringLiteral("Demenziale")
                                    : k == 9 ? QStringLiteral("Thriller & Horror")
                                             : mdlGeneral::GetCatName(k);
            QTest::addRow("%d", k) << k << caption;
        }
    }

    void downloadLinksNameTheCategories()
    {
        QFETCH(int, group);
        QFETCH(QString, caption);
        QVERIFY(openMenu());
        auto *link = control<ClickableImage>(QStringLiteral("lblGruppo_%1").arg(group));
        QVERIFY(link);
        QCOMPARE(link, m_menu->lblGruppo(group));
        QCOMPARE(link->text(), caption);
        QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(link->textFormat(), Qt::PlainText);
        control<ClickableImage>(QStringLiteral("imgLogo"))->clicked();
        QVERIFY(link->isVisible());
        clickPlaceOf(link->objectName());
        QCOMPARE(m_messages->shown.size(), 1);
        QCOMPARE(m_messages->lastText(), NotAvailable);
        QVERIFY(m_menu->isVisible());
    }

    void forumAndCustomBannerTellThePlayer()
    {
        QVERIFY(openMenu());
        clickPlaceOf(QStringLiteral("imgIncontri"));
        QCOMPARE(m_messages->lastText(), NotAvailable);
        control<ClickableImage>(QStringLiteral("imgLogo"))->clicked();
        clickPlaceOf(QStringLiteral("lblForum"));
        QCOMPARE(m_messages->shown.size(), 2);
        QCOMPARE(m_messages->lastText(), NotAvailable);

        setGroups(2, 2, 2);
        objUser.setRecord(1);
        control<ClickableImage>(QStringLiteral("imgClose"))->clicked();
        m_menu->load();
        clickPlaceOf(QStringLiteral("imgCustom"));
        QCOMPARE(m_messages->shown.size(), 3);
        const Messages::Message notice = m_messages->shown.last();
        QCOMPARE(notice.text, QStringLiteral("Funzionalità in fase di sviluppo, conserva il file del salvataggio ;)"));
        QCOMPARE(notice.title, QStringLiteral("Lumivo Pro"));
        QCOMPARE(notice.kind, Messages::Kind::Notice);
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
