// The game-type menu as the player meets it: what it shows for each stage of the profile and
// where its pictures and links lead.

#include "ScreenSupport.h"
#include "TestSupport.h"
#include "profile/clsUser.h"
#include "select/SelectionContent.h"
#include "shell/Screens.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest>

using namespace ScreenSupport;

namespace { } // namespace

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

    template<typename T = QWidget> T *control(const QString &name) const
    {
        return m_menu->findChild<T *>(name);
    }

    // A click where the control lies: whatever is on top there takes it.
    void clickPlaceOf(const QString &name)
    {
        QVERIFY2(ScreenSupport::clickPlaceOf(m_menu.data(), name), qPrintable(name));
    }

    void setGroups(int bonus, int alpha, int puzzle)
    {
        objUser.setGroup(mdlConst::Bonus, mdlConst::GameTypeState(bonus));
        objUser.setGroup(mdlConst::Alpha, mdlConst::GameTypeState(alpha));
        objUser.setGroup(mdlConst::Puzzle, mdlConst::GameTypeState(puzzle));
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

    void masksFollowTheGameTypeStates_data()
    {
        QTest::addColumn<int>("bonus");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("puzzle");
        QTest::newRow("new player") << 0 << 0 << 0;
        QTest::newRow("Bonus open") << 1 << 0 << 0;
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
        const QVector<std::tuple<QString, QString, int>> pairs
            = {{QStringLiteral("ImgBnMask"), QStringLiteral("ImgBonus"), bonus},
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

    void customBannerAndRecordLabelFollowPuzzleAndRecord_data()
    {
        QTest::addColumn<int>("puzzle");
        QTest::addColumn<int>("record");
        QTest::addColumn<bool>("custom");
        QTest::addColumn<bool>("recordLabel");
        QTest::newRow("all completed, times not sent") << 2 << 0 << true << true;
        QTest::newRow("all completed, times sent") << 2 << 1 << true << false;
        QTest::newRow("Puzzle open, not sent") << 1 << 0 << false << false;
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

    // The times count as sent only when the site took them: otherwise the menu offers them again.
    void answeringYesSendsAndMarksOnlyTakenTimes_data()
    {
        QTest::addColumn<bool>("taken");
        QTest::newRow("site took the post") << true;
        QTest::newRow("site down") << false;
    }
    void answeringYesSendsAndMarksOnlyTakenTimes()
    {
        QFETCH(bool, taken);
        setGroups(2, 2, 2);
        objUser.setTime(mdlConst::Bonus, 70);
        QString opened;
        Screens::setShowWeb([&](const QString &address, std::function<void(bool)> answered) {
            opened = address;
            QVERIFY(QFile::exists(address));
            answered(taken);
        });
        QVERIFY(openMenu());
        clickPlaceOf(QStringLiteral("lblRecord"));
        Screens::setShowWeb({});
        QVERIFY(opened.endsWith(QStringLiteral("Temp/~record.htm")));
        QVERIFY(!control(QStringLiteral("lblRecord"))->isVisible());
        QVERIFY(!control<QTimer>(QStringLiteral("tmrRecord"))->isActive());
        QCOMPARE(int(objUser.record()), taken ? 1 : 0);
        m_menu->load();
        QCOMPARE(control(QStringLiteral("lblRecord"))->isVisible(), !taken);
    }

    void alphaSetsTheCategoryBeforeTheMenuGoes()
    {
        setGroups(2, 1, 1);
        // Without Classic packs no Alpha board can be dealt: the screen tells why and stays shut.
        for (int c = 1; c <= 9; ++c)
            QVERIFY(
                QFile::remove(m_game->path(QStringLiteral("Data/%1.lvd").arg(c, 4, 10, QLatin1Char('0')))));
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
        QVERIFY2(m_messages->lastText().contains(QStringLiteral("Per giocare ad Alpha")),
                 qPrintable(m_messages->lastText()));
        // No Alpha screen: the player stays on the menu.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(m_menu && m_menu->isVisible());
    }
};

QTEST_MAIN(tst_frmMain)
#include "tst_frmMain.moc"
