// The game-type menu as the player meets it: what it shows for each stage of the profile and
// where its pictures and links lead.

#include "ScreenSupport.h"
#include "TestSupport.h"
#include "profile/clsUser.h"
#include "select/SelectionContent.h"
#include "shell/Screens.h"
#include "shell/WebCompanion.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QtTest>

using namespace ScreenSupport;

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

    // Masks cover the locked game types; the custom banner covers Incontri once Puzzle is
    // completed, and the record label blinks while the times are unsent.
    void menuFollowsTheProfile_data()
    {
        QTest::addColumn<int>("bonus");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("puzzle");
        QTest::newRow("new player") << 0 << 0 << 0;
        QTest::newRow("Alpha and Puzzle open") << 2 << 1 << 1;
        QTest::newRow("all completed, times not sent") << 2 << 2 << 2;
    }
    void menuFollowsTheProfile()
    {
        QFETCH(int, bonus);
        QFETCH(int, alpha);
        QFETCH(int, puzzle);
        const bool recordLabel = puzzle == 2; // a new profile's times are unsent
        setGroups(bonus, alpha, puzzle);
        QVERIFY(openMenu());
        // Whatever lies on top at a picture's place is what a click reaches.
        const QVector<std::tuple<QString, QString, bool>> pairs
            = {{QStringLiteral("ImgBnMask"), QStringLiteral("ImgBonus"), bonus == 0},
               {QStringLiteral("imgAlMask"), QStringLiteral("ImgAlpha"), alpha == 0},
               {QStringLiteral("imgPzMask"), QStringLiteral("imgPuzzle"), puzzle == 0},
               {QStringLiteral("imgCustom"), QStringLiteral("imgIncontri"), puzzle == 2},
               {QString(), QStringLiteral("imgClassic"), false}};
        for (const auto &[cover, picture, covered] : pairs) {
            if (!cover.isEmpty())
                QCOMPARE(control(cover)->isVisible(), covered);
            QCOMPARE(m_menu->childAt(control(picture)->geometry().center()),
                     control(covered ? cover : picture));
        }
        QCOMPARE(control(QStringLiteral("lblRecord"))->isVisible(), recordLabel);
        QCOMPARE(control<QTimer>(QStringLiteral("tmrRecord"))->isActive(), recordLabel);
    }

    // The times count as sent only when the site took them: otherwise the menu offers them again.
    void recordLabelSendsOnYesAndMarksOnlyTakenTimes_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<bool>("taken");
        QTest::newRow("answer no") << false << false;
        // Built without the browser engine, the post itself goes to the site: tst_WebCompanion.
#if LUMIVO_WEBENGINE
        QTest::newRow("site took the post") << true << true;
        QTest::newRow("site down") << true << false;
#endif
    }
    void recordLabelSendsOnYesAndMarksOnlyTakenTimes()
    {
        QFETCH(bool, yes);
        QFETCH(bool, taken);
        setGroups(2, 2, 2);
        objUser.setTime(mdlConst::Bonus, 70);
#if LUMIVO_WEBENGINE
        // A web window that answers a record command whose form page exists, then closes.
        QTemporaryDir folder;
        const QString program = folder.filePath(QStringLiteral("lumivo-web"));
        QFile script(program);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write(QStringLiteral("#!/bin/sh\necho ready\nread verb url page\n"
                                    "[ \"$verb\" = record ] && [ -f \"$page\" ] && echo 'record %1'\n")
                         .arg(int(taken))
                         .toUtf8());
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::ExeOwner));
        WebCompanion::setProgram(program);
#endif
        QVERIFY(openMenu());
        m_messages->answer(yes);
        clickPlaceOf(QStringLiteral("lblRecord"));
        QCOMPARE(m_messages->shown.size(), 1);
        QCOMPARE(m_messages->shown.first().kind, Messages::Kind::Question);
        // Answering no keeps the label blinking.
        QCOMPARE(control(QStringLiteral("lblRecord"))->isVisible(), !yes);
        QCOMPARE(control<QTimer>(QStringLiteral("tmrRecord"))->isActive(), !yes);
#if LUMIVO_WEBENGINE
        QTRY_COMPARE(WebCompanion::processId(), 0);
#endif
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
