// The Classic play screen driven as a player drives it: typing titles, clicking the panel and
// the arrows, pressing F1; the clock is ticked directly instead of waited for.

#include "PlayFixture.h"
#include "content/mdlGeneral.h"
#include "play/InfoPanel.h"
#include "play/PlayCell.h"
#include "play/PlaySession.h"
#include "play/ShapeFrame.h"
#include "play/TitleBox.h"
#include "play/frmPlayClassic.h"
#include "profile/ProfileFile.h"
#include "shell/ClickableImage.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {
// Pictures per category: Animazione (1) five pages, Commedia (4), Demenziali (5), Fantascienza
// (7) and Fantastico (8) one page each.
const QVector<int> Counts = {45, 0, 0, 9, 9, 0, 9, 9};
constexpr int Animazione = 1;
constexpr int Demenziali = 5;
constexpr int Fantastico = 8;

// Types like a player: ASCII through key clicks, other characters as text-bearing key events.
void type(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

QPoint centreOf(QWidget *widget)
{
    return widget->geometry().center();
}

// A click at a point of the window, delivered to whatever lies there.
void clickAt(QWidget *window, const QPoint &point)
{
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
}

QColor background(TitleBox *box)
{
    return box->palette().color(QPalette::Base);
}
} // namespace

class tst_play_frmPlayClassic : public QObject
{
    Q_OBJECT

    std::unique_ptr<PlayFixture> m_content;
    std::unique_ptr<MessageRecorder> m_messages;

    void makeContent(const QMap<int, QString> &titles = {})
    {
        m_content = std::make_unique<PlayFixture>(Counts, titles);
        m_messages = std::make_unique<MessageRecorder>(true);
    }

    frmPlayClassic *open(int category)
    {
        objUser.curcat = category;
        auto *screen = new frmPlayClassic;
        screen->load();
        return screen;
    }

    frmPlayClassic *openActive(int category)
    {
        frmPlayClassic *screen = open(category);
        if (!QTest::qWaitForWindowActive(screen))
            qWarning("the play screen did not become active");
        return screen;
    }

    static TitleBox *box(frmPlayClassic *screen, int i) { return screen->cell(i).txtTitle; }
    static InfoPanel *panel(frmPlayClassic *screen)
    {
        return screen->findChild<InfoPanel *>(QStringLiteral("fraInfo"));
    }
    static QLabel *label(frmPlayClassic *screen, const char *name)
    {
        return screen->findChild<QLabel *>(QLatin1String(name));
    }
    static bool maskShown(frmPlayClassic *screen, const char *name)
    {
        return label(screen, name)->isVisible();
    }

private slots:
    void initTestCase()
    {
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
        QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    }

    void cleanup()
    {
        // Screens the test left open go without handing over to another screen.
        for (QWidget *window : QApplication::topLevelWidgets())
            delete window;
        m_messages.reset();
        m_content.reset();
    }

    // --- opening ----------------------------------------------------------------------------

    void openingShowsTheFirstUnfinishedPage()
    {
        makeContent();
        m_content->solve(Animazione, 1, 18);
        m_content->solve(Animazione, 20, 20);
        objUser.setTime(mdlConst::Classic, 125);
        frmPlayClassic *screen = openActive(Animazione);

        QCOMPARE(objUser.curPage, qint16(3));
        QCOMPARE(label(screen, "lblPos")->text(), QStringLiteral("3/5"));
        QCOMPARE(label(screen, "lblRisolti")->text(), QStringLiteral("19/45"));
        QCOMPARE(label(screen, "lblTime")->text(), QStringLiteral("0:02:05"));
        QVERIFY(panel(screen)->isVisible());
        QVERIFY(!screen->tmrTime()->isActive());
        QVERIFY2(m_content->tempPictures().isEmpty(), qPrintable(m_content->tempPictures().join(' ')));
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(screen->cell(i).txtTitle->tag(), QStringLiteral("Film %1").arg(18 + i));
        // Picture 20 (cell 2) was solved before; the focus goes to the first open box.
        QVERIFY(box(screen, 2)->isSolved());
        QCOMPARE(box(screen, 2)->text(), QStringLiteral("Film 20"));
        QVERIFY(!box(screen, 3)->isSolved());
        QTRY_VERIFY(box(screen, 1)->hasFocus());
    }

    void aCompleteCategoryOpensOnPageOneWithoutPanelOrClock()
    {
        makeContent();
        m_content->solve(Animazione, 1, 45);
        objUser.setCategorie(Animazione, 2);
        frmPlayClassic *screen = openActive(Animazione);

        QCOMPARE(objUser.curPage, qint16(1));
        QCOMPARE(label(screen, "lblRisolti")->text(), QStringLiteral("45/45"));
        QVERIFY(!panel(screen)->isVisible());
        for (int i = 1; i <= 9; ++i) {
            QVERIFY(box(screen, i)->isSolved());
            QVERIFY(box(screen, i)->isReadOnly());
            QCOMPARE(box(screen, i)->text(), QStringLiteral("Film %1").arg(i));
            QCOMPARE(background(box(screen, i)), TitleBox::solvedColor());
            QCOMPARE(screen->cell(i).shaBorder->borderColor(), QColor(255, 0, 0));
        }
        QVERIFY(!screen->tmrTime()->isActive());
        // With nothing to solve the focus stays where it is.
        QVERIFY(!box(screen, 1)->hasFocus() || box(screen, 1)->isReadOnly());
    }

    // --- title matching ---------------------------------------------------------------------

    void typingTheTitleSolvesThePicture_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("solves");

        const QString conte = QStringLiteral("Il conte, la dama.");
        QTest::newRow("lower case") << conte << "il conte la dama" << true;
        QTest::newRow("two blanks") << conte << "Il conte  la dama" << false;
        QTest::newRow("plain e for è")
            << QStringLiteral("Così è la vita") << QStringLiteral("così e la vita") << false;
        QTest::newRow("Windows-1252 beyond Latin-1")
            << QStringLiteral("Œdipus – €") << QStringLiteral("œdipus – €") << true;
    }
    void typingTheTitleSolvesThePicture()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, solves);
        makeContent({{1, stored}});
        frmPlayClassic *screen = openActive(Animazione);
        TitleBox *title = box(screen, 1);
        QTRY_VERIFY(title->hasFocus());

        type(title, typed);

        QCOMPARE(title->isSolved(), solves);
        QCOMPARE(objUser.Item(1), qint16(solves ? 1 : 0));
        QCOMPARE(title->isReadOnly(), solves);
        QCOMPARE(title->text(), solves ? stored : typed);
        QCOMPARE(screen->cell(1).shaBorder->borderColor(), solves ? QColor(255, 0, 0) : QColor(0, 0, 255));
        QCOMPARE(label(screen, "lblRisolti")->text(),
                 solves ? QStringLiteral("1/45") : QStringLiteral("0/45"));
        if (solves) {
            QCOMPARE(background(title), TitleBox::solvedColor());
            // The focus stays in the solved box.
            QVERIFY(title->hasFocus());
        }
    }

    void changesWhileThePageLoadsAreIgnored()
    {
        makeContent();
        frmPlayClassic *screen = openActive(Animazione);
        screen->session().setReady(false);
        type(box(screen, 1), QStringLiteral("film 1"));
        QVERIFY(!box(screen, 1)->isSolved());
        QCOMPARE(objUser.Item(1), qint16(0));
        QCOMPARE(label(screen, "lblRisolti")->text(), QStringLiteral("0/45"));
        screen->session().setReady(true);
        QTest::keyClick(box(screen, 1), Qt::Key_Backspace);
        type(box(screen, 1), QStringLiteral("1"));
        QVERIFY(box(screen, 1)->isSolved());
    }

    void aSolveThatCannotBeSavedLeavesThePictureOpen()
    {
        makeContent();
        frmPlayClassic *screen = openActive(Animazione);
        const QString path = objUser.profilePath();
        QVERIFY(QFile::rename(path, path + QStringLiteral(".away")));
        QVERIFY(QDir().mkdir(path));
        type(box(screen, 1), QStringLiteral("film 1"));
        QVERIFY(!box(screen, 1)->isSolved());
        QCOMPARE(screen->cell(1).shaBorder->borderColor(), QColor(0, 0, 255));
        QCOMPARE(m_messages->shown.size(), 1);
        QVERIFY(m_messages->lastText().contains(QStringLiteral("soluzione")));
    }

    // --- winning ----------------------------------------------------------------------------

    void solvingTheLastPictureBeforeClickingThePanelStillWins()
    {
        makeContent();
        m_content->solve(Demenziali, 1, 8);
        objUser.setTime(mdlConst::Classic, 40);
        frmPlayClassic *screen = openActive(Demenziali);
        QCOMPARE(panel(screen)->message(), frmPlayClassic::Instructions);
        type(box(screen, 9), QStringLiteral("film 63"));
        QCOMPARE(objUser.Categorie(Demenziali), qint16(2));
        QCOMPARE(panel(screen)->message(), PlaySession::WinMessage);
        QVERIFY(panel(screen)->isVisible());
        // The winning panel goes with a click and the clock stays still.
        QTest::mouseClick(panel(screen), Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
        QVERIFY(!panel(screen)->isVisible());
        QVERIFY(!screen->tmrTime()->isActive());
        QCOMPARE(label(screen, "lblTime")->text(), QStringLiteral("0:00:40"));
        QCOMPARE(objUser.Time(mdlConst::Classic), 40);
    }

    // --- clock ------------------------------------------------------------------------------

    void theClockCountsOnlyAfterThePanelIsClicked()
    {
        makeContent();
        objUser.setTime(mdlConst::Classic, 125);
        objUser.setTime(mdlConst::Bonus, 9);
        frmPlayClassic *screen = openActive(Animazione);
        QCOMPARE(label(screen, "lblTime")->text(), QStringLiteral("0:02:05"));
        QVERIFY(!screen->tmrTime()->isActive());

        QTest::mouseClick(panel(screen)->lblMessage(), Qt::LeftButton);
        QVERIFY(!panel(screen)->isVisible());
        QVERIFY(screen->tmrTime()->isActive());
        screen->tick();
        QCOMPARE(label(screen, "lblTime")->text(), QStringLiteral("0:02:06"));
        QCOMPARE(objUser.Time(mdlConst::Classic), 126);
        screen->tick();
        QCOMPARE(objUser.Time(mdlConst::Classic), 127);
        QCOMPARE(objUser.Time(mdlConst::Bonus), 9);

        // Page changes and F1 leave it running; closing stops it.
        clickAt(screen, centreOf(screen->findChild<ClickableImage *>(QStringLiteral("imgNext"))));
        QCOMPARE(objUser.curPage, qint16(2));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1);
        QVERIFY(screen->tmrTime()->isActive());
        screen->close();
        QVERIFY(!screen->tmrTime()->isActive());
    }

    void aSecondThatCannotBeSavedStopsTheClock()
    {
        makeContent();
        objUser.setTime(mdlConst::Classic, 70);
        frmPlayClassic *screen = openActive(Animazione);
        QTest::mouseClick(panel(screen)->lblMessage(), Qt::LeftButton);
        screen->tick();
        QCOMPARE(label(screen, "lblTime")->text(), QStringLiteral("0:01:11"));
        const QString path = objUser.profilePath();
        QVERIFY(QFile::rename(path, path + QStringLiteral(".away")));
        QVERIFY(QDir().mkdir(path));
        screen->tick();
        QVERIFY(!screen->tmrTime()->isActive());
        QCOMPARE(label(screen, "lblTime")->text(), QStringLiteral("0:01:11"));
        QCOMPARE(m_messages->shown.size(), 1);
        QVERIFY(m_messages->lastText().contains(QStringLiteral("tempo")));
    }

    // --- pages and arrows -------------------------------------------------------------------

    void arrowsLeadThroughEveryPageAndNoFurther()
    {
        makeContent();
        m_content->solve(Animazione, 10, 10);
        m_content->solve(Animazione, 19, 19);
        frmPlayClassic *screen = openActive(Animazione);
        QTest::mouseClick(panel(screen), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        const QPoint back = centreOf(screen->findChild<ClickableImage *>(QStringLiteral("imgBack")));
        const QPoint next = centreOf(screen->findChild<ClickableImage *>(QStringLiteral("imgNext")));

        QCOMPARE(objUser.curPage, qint16(1));
        QVERIFY(maskShown(screen, "imgBackMask"));
        QVERIFY(!maskShown(screen, "imgNextMask"));
        clickAt(screen, back); // covered: nothing happens
        QCOMPARE(objUser.curPage, qint16(1));

        for (int page = 2; page <= 5; ++page) {
            clickAt(screen, next);
            QCOMPARE(objUser.curPage, qint16(page));
            QCOMPARE(label(screen, "lblPos")->text(), QStringLiteral("%1/5").arg(page));
            QCOMPARE(label(screen, "lblRisolti")->text(), QStringLiteral("2/45"));
            QCOMPARE(maskShown(screen, "imgBackMask"), false);
            QCOMPARE(maskShown(screen, "imgNextMask"), page == 5);
            QCOMPARE(screen->cell(1).picture, 9 * (page - 1) + 1);
            QVERIFY2(m_content->tempPictures().isEmpty(), qPrintable(m_content->tempPictures().join(' ')));
            QVERIFY(screen->blnReady());
            // The first picture of pages 2 and 3 is solved: the focus goes to the second.
            const int first = (page == 2 || page == 3) ? 2 : 1;
            QVERIFY2(box(screen, first)->hasFocus(), qPrintable(QStringLiteral("page %1").arg(page)));
        }
        clickAt(screen, next); // covered on the last page
        QCOMPARE(objUser.curPage, qint16(5));

        clickAt(screen, back);
        QCOMPARE(objUser.curPage, qint16(4));
        QVERIFY(!maskShown(screen, "imgBackMask"));
        QVERIFY(!maskShown(screen, "imgNextMask"));
        QVERIFY(screen->tmrTime()->isActive());
        QVERIFY(m_messages->shown.isEmpty());
    }

    void aSinglePageCategoryCoversBothArrows()
    {
        makeContent();
        frmPlayClassic *screen = openActive(Demenziali);
        QCOMPARE(label(screen, "lblPos")->text(), QStringLiteral("1/1"));
        QVERIFY(maskShown(screen, "imgBackMask"));
        QVERIFY(maskShown(screen, "imgNextMask"));
        clickAt(screen, centreOf(screen->findChild<ClickableImage *>(QStringLiteral("imgNext"))));
        QCOMPARE(objUser.curPage, qint16(1));
        QVERIFY(screen->isVisible());
        QVERIFY(m_messages->shown.isEmpty());
    }

    // --- picture codes ----------------------------------------------------------------------

    void f1TogglesTheBlinkingCodesWhileATitleBoxHasTheFocus()
    {
        makeContent();
        frmPlayClassic *screen = openActive(Animazione);
        TitleBox *title = box(screen, 1);
        QTRY_VERIFY(title->hasFocus());

        QTest::keyClick(title, Qt::Key_F2);
        QTest::keyClick(title, Qt::Key_F12);
        QVERIFY(!screen->tmrIndex()->isActive());
        QVERIFY(!screen->cell(1).lblIndex->isVisible());

        QTest::keyClick(title, Qt::Key_F1);
        QVERIFY(screen->tmrIndex()->isActive());
        QVERIFY(title->text().isEmpty());
        for (int i = 1; i <= 9; ++i) {
            QLabel *code = screen->cell(i).lblIndex;
            QVERIFY(code->isVisible());
            QCOMPARE(code->palette().color(QPalette::WindowText), QColor(Qt::white));
        }
        QCOMPARE(screen->cell(1).lblIndex->text(), QStringLiteral("01010001"));
        screen->session().blink();
        for (int i = 1; i <= 9; ++i)
            QCOMPARE(screen->cell(i).lblIndex->palette().color(QPalette::WindowText), QColor(Qt::black));
        screen->session().blink();
        QCOMPARE(screen->cell(5).lblIndex->palette().color(QPalette::WindowText), QColor(Qt::white));

        // A page change keeps them shown, with the new page's codes.
        screen->imgNext_Click();
        QVERIFY(screen->cell(1).lblIndex->isVisible());
        QCOMPARE(screen->cell(1).lblIndex->text(), QStringLiteral("01020001"));
        QVERIFY(screen->tmrIndex()->isActive());

        // Shift, Ctrl or Alt make no difference.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(!screen->tmrIndex()->isActive());
        QVERIFY(!screen->cell(1).lblIndex->isVisible());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F1, Qt::ControlModifier | Qt::AltModifier);
        QVERIFY(screen->tmrIndex()->isActive());
        QTest::keyClick(screen, Qt::Key_F1);
        QVERIFY(!screen->tmrIndex()->isActive());
    }

    // --- faults -----------------------------------------------------------------------------

    void aShortPageListClearsTheCellsBelowIt()
    {
        makeContent();
        frmPlayClassic *screen = openActive(Animazione);
        QVERIFY(!screen->cell(7).imgImage->pixmap().isNull());
        type(box(screen, 7), QStringLiteral("fil"));
        screen->session().setReady(false);
        QByteArray list;
        for (int k = 1; k <= 3; ++k) {
            m_content->put(QStringLiteral("Temp/%1.tmp").arg(k, 4, 10, QLatin1Char('0')),
                           PlayFixture::picture(30 + k));
            list += QStringLiteral("01:01:%1:%2:Film %2\r\n")
                        .arg(k, 4, 10, QLatin1Char('0'))
                        .arg(30 + k)
                        .toLatin1();
        }
        m_content->put(QStringLiteral("Temp/~temp.tmp"), list);

        QVERIFY(screen->LoadPage());
        for (int i = 1; i <= 3; ++i)
            QCOMPARE(screen->cell(i).picture, 30 + i);
        for (int i = 4; i <= 9; ++i) {
            PlayCell &cell = screen->cell(i);
            QVERIFY2(cell.imgImage->pixmap().isNull(),
                     qPrintable(QStringLiteral("cell %1 keeps a picture").arg(i)));
            QCOMPARE(cell.picture, 0);
            QVERIFY(cell.txtTitle->text().isEmpty());
            QVERIFY(cell.txtTitle->tag().isEmpty());
            QVERIFY(!cell.txtTitle->isEnabled());
            QVERIFY(cell.lblIndex->text().isEmpty());
            QVERIFY(!cell.shaBorder->isVisible());
        }
        QVERIFY(m_content->tempPictures().isEmpty());
        screen->session().setReady(true);
        screen->FocusFirstTitle();
        QVERIFY(box(screen, 1)->hasFocus());
    }

    void aCategoryThatCannotBeExtractedGoesBackUntouched_data()
    {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<QString>("expected");
        QTest::newRow("truncated pack") << "truncated"
                                        << "Data/0001.lvd";
        QTest::newRow("picture that does not decode") << "garbled"
                                                      << "01010004";
    }
    void aCategoryThatCannotBeExtractedGoesBackUntouched()
    {
        QFETCH(QString, damage);
        QFETCH(QString, expected);
        makeContent();
        const QString pack = m_content->path(QStringLiteral("Data/0001.lvd"));
        QFile file(pack);
        if (damage == QLatin1String("truncated")) {
            QVERIFY(file.resize(PlayFixture::Header + 1000));
        } else {
            // The fourth picture's bytes become noise of the same length.
            QByteArray bytes = m_content->read(QStringLiteral("Data/0001.lvd"));
            const int start = PlayFixture::Header + PlayFixture::picture(1).size()
                              + PlayFixture::picture(2).size() + PlayFixture::picture(3).size();
            for (int i = 0; i < PlayFixture::picture(4).size(); ++i)
                bytes[start + i] = char(i * 7);
            m_content->put(QStringLiteral("Data/0001.lvd"), bytes);
        }
        const QByteArray profile = m_content->read(QStringLiteral("User/Mario.lmp"));

        QPointer<frmPlayClassic> screen = open(Animazione);

        QVERIFY(!m_messages->shown.isEmpty());
        const Messages::Message &message = m_messages->shown.first();
        QCOMPARE(message.kind, Messages::Kind::Warning);
        QVERIFY2(message.text.contains(QStringLiteral("Animazione")) && message.text.contains(expected),
                 qPrintable(message.text));
        QTRY_VERIFY(screen.isNull());
        QCOMPARE(m_content->read(QStringLiteral("User/Mario.lmp")), profile);
        QVERIFY2(m_content->tempPictures().isEmpty(), qPrintable(m_content->tempPictures().join(' ')));
    }

    void aDamagedPageListGoesBack()
    {
        makeContent();
        QPointer<frmPlayClassic> screen = openActive(Animazione);
        m_content->put(QStringLiteral("Temp/~temp.tmp"), "01:01:0001\r\n");
        m_content->put(QStringLiteral("Temp/0001.tmp"), PlayFixture::picture(1));
        QVERIFY(!screen->LoadPage());
        QVERIFY(!m_messages->shown.isEmpty());
        QVERIFY(m_messages->shown.first().text.contains(QStringLiteral("~temp.tmp")));
        QTRY_VERIFY(screen.isNull());
        QVERIFY(m_content->tempPictures().isEmpty());
    }
};

QTEST_MAIN(tst_play_frmPlayClassic)
#include "tst_play_frmPlayClassic.moc"
