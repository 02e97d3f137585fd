// A player who has opened Bonus and Puzzle plays through the real screens: a Bonus category and
// a Puzzle category chosen on their selection screens, the strip walked with Tab and the
// arrows, every title typed, both won; the second win opens the next stage, and the selection
// screens show the categories won and opened.

#include "ScreenSupport.h"
#include "TinyContent.h"
#include "play/CategoryPlay.h"
#include "profile/clsUser.h"
#include "select/CategorySelection.h"
#include "shell/Screens.h"
#include "widgets/ClickableImage.h"
#include "widgets/InfoPanel.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace ScreenSupport;

namespace {
constexpr int Animali = 10; // Bonus thumbnail 1, seven pictures
constexpr int Missing = 18; // Puzzle thumbnail 1, five pictures

int pictureCount(int category)
{
    return category == Animali ? 7 : category == Missing ? 5 : category <= 9 ? 9 : 3;
}

int firstPicture(int category)
{
    int first = 1;
    for (int c = 1; c < category; ++c)
        first += pictureCount(c);
    return first;
}

void click(QWidget *screen, const QString &control)
{
    auto *widget = screen->findChild<QWidget *>(control);
    QVERIFY2(widget, qPrintable(control));
    QVERIFY2(widget->isVisible(), qPrintable(control + QStringLiteral(" is not on show")));
    const QPoint centre = widget->mapTo(screen, widget->rect().center());
    QWidget *top = screen->childAt(centre);
    QVERIFY2(top, qPrintable(control));
    QTest::mouseClick(top, Qt::LeftButton, {}, top->mapFrom(screen, centre));
}

QLineEdit *box(QWidget *play, int k)
{
    return play->findChild<QLineEdit *>(QStringLiteral("txtTitle_%1").arg(k));
}

QString label(QWidget *screen, const QString &name)
{
    auto *found = screen->findChild<QLabel *>(name);
    return found ? found->text() : QStringLiteral("<no %1>").arg(name);
}

// Types picture k's title into the box that has the focus, which must be box k.
void typeTitle(QWidget *play, int category, int k)
{
    QVERIFY2(box(play, k)->hasFocus(), qPrintable(QStringLiteral("box %1 has no focus").arg(k)));
    QTest::keyClicks(QApplication::focusWidget(),
                     QStringLiteral("film %1").arg(firstPicture(category) + k - 1));
    QVERIFY2(box(play, k)->isReadOnly(), qPrintable(QStringLiteral("box %1 not solved").arg(k)));
}

void key(int key)
{
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                    key == Qt::Key_Backtab ? Qt::ShiftModifier : Qt::NoModifier);
}
} // namespace

class tst_play_StripPath : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;

    // Opens thumbnail `thumb` of the selection screen and returns its play screen, settled.
    QWidget *openPlay(QWidget *selection, int thumb, const QString &playName)
    {
        click(selection, QStringLiteral("imgCat_%1").arg(thumb));
        QWidget *play = visibleTopLevel(playName);
        if (!play || !settled(play))
            return nullptr;
        return selection->isVisible() ? nullptr : play;
    }

    // Closes the won play screen and checks its thumbnail on the selection screen that comes back.
    void closeWon(QWidget *play, QWidget *selection, int thumb, int count)
    {
        QVERIFY(play->close());
        QVERIFY(settled(selection));
        QCOMPARE(label(selection, QStringLiteral("lblCat_%1").arg(thumb)),
                 QStringLiteral("%1/%1").arg(count));
    }

private slots:
    void initTestCase()
    {
        QApplication::setDoubleClickInterval(0);
        QFont::insertSubstitution(QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"));
    }

    void init()
    {
        m_game = new GameFolderFixture;
        QVector<int> counts;
        for (int c = 1; c <= mdlConst::CategoryCount; ++c)
            counts.append(pictureCount(c));
        TinyContent::numbered(
            counts, [](int n) { return png(QSize(200, 110), QColor::fromHsv((n * 37) % 360, 160, 220)); },
            [](int s, int c) { return png(QSize(20, 10), QColor(40 + 80 * s, 12 * c, 90)); })
            .write(*m_game);
    }

    void cleanup()
    {
        closeEveryWindow();
        delete m_game;
    }

    void aPlayerWinsABonusAndAPuzzleCategoryAndOpensTheNextStage()
    {
        MessageRecorder answers(true);
        QVERIFY(objUser.Login(QStringLiteral("Giulia"), QStringLiteral("segreto")));
        // Every stage so far won but Animali and Missing.
        const QString categories = QStringLiteral("2|2|2|0|2|2|2|2|2|1|0|0|2|2|2|2|2|1|0|0");
        const QStringList states = categories.split(QLatin1Char('|'));
        for (int c = 1; c <= mdlConst::CategoryCount; ++c)
            QVERIFY(objUser.setCategorie(c, mdlConst::CategoryState(states[c - 1].toInt())));
        QVERIFY(objUser.setGroup(mdlConst::Bonus, mdlConst::GameTypeState(1))
                && objUser.setGroup(mdlConst::Puzzle, mdlConst::GameTypeState(1)));

        Screens::showSelection(mdlConst::Bonus);
        QWidget *bonus = visibleTopLevel(QStringLiteral("frmBonus"));
        QVERIFY2(bonus, "the Bonus screen did not open");
        QVERIFY(settled(bonus));
        QWidget *play = openPlay(bonus, 1, QStringLiteral("frmPlayBonus"));
        QVERIFY2(play, "the Bonus strip did not open in place of its selection screen");
        QCOMPARE(play->windowTitle(), QStringLiteral("Bonus: Animali"));

        // Tab walks into the hidden boxes, the arrows move the strip.
        click(play, QStringLiteral("fraInfo"));
        for (int k = 1; k <= 4; ++k) {
            if (k > 1)
                key(Qt::Key_Tab);
            typeTitle(play, Animali, k);
        }
        QCOMPARE(label(play, QStringLiteral("lblPos")), QStringLiteral("4 - 6"));
        click(play, QStringLiteral("imgNext"));
        QCOMPARE(label(play, QStringLiteral("lblPos")), QStringLiteral("5 - 7"));
        QVERIFY(play->findChild<QWidget *>(QStringLiteral("imgNextMask"))->isVisible());
        QTest::mouseClick(box(play, 7), Qt::LeftButton);
        typeTitle(play, Animali, 7);
        key(Qt::Key_Backtab);
        typeTitle(play, Animali, 6);
        key(Qt::Key_Backtab);
        typeTitle(play, Animali, 5);
        QCOMPARE(qint16(objUser.Categorie(Animali)), qint16(2));
        QCOMPARE(label(play, QStringLiteral("lblRisolti")), QStringLiteral("7/7"));
        auto *panel = play->findChild<InfoPanel *>(QStringLiteral("fraInfo"));
        QVERIFY(panel->isVisible());
        QCOMPARE(panel->message(), CategoryPlay::WinMessage);
        click(play, QStringLiteral("fraInfo"));
        click(play, QStringLiteral("imgBack")); // the won strip can still be browsed
        QCOMPARE(label(play, QStringLiteral("lblPos")), QStringLiteral("2 - 4"));
        closeWon(play, bonus, 1, 7);
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(qint16(objUser.Categorie(11)), qint16(0));

        QVERIFY(bonus->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QWidget *menu = visibleTopLevel(QStringLiteral("frmMain"));
        QVERIFY2(menu, "the menu did not come back");
        QVERIFY(settled(menu));
        click(menu, QStringLiteral("imgPuzzle"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        auto *puzzle = qobject_cast<CategorySelection *>(visibleTopLevel(QStringLiteral("frmPuzzle")));
        QVERIFY2(puzzle, "the Puzzle screen did not open");
        QVERIFY(settled(puzzle));
        QVERIFY(!puzzle->imgCat(3)->isEnabled());
        play = openPlay(puzzle, 1, QStringLiteral("frmPlayPuzzle"));
        QVERIFY2(play, "the Puzzle strip did not open");
        QCOMPARE(play->windowTitle(), QStringLiteral("Puzzle: Missing"));
        click(play, QStringLiteral("fraInfo"));
        click(play, QStringLiteral("imgNext"));
        QCOMPARE(label(play, QStringLiteral("lblPos")), QStringLiteral("3 - 5"));
        for (int k : {3, 4, 5}) {
            QTest::mouseClick(box(play, k), Qt::LeftButton);
            typeTitle(play, Missing, k);
        }
        key(Qt::Key_Tab); // round to box 1, back at the start
        QCOMPARE(label(play, QStringLiteral("lblPos")), QStringLiteral("1 - 3"));
        typeTitle(play, Missing, 1);
        key(Qt::Key_Tab);
        typeTitle(play, Missing, 2);
        QCOMPARE(qint16(objUser.Categorie(Missing)), qint16(2));
        closeWon(play, puzzle, 1, 5);
        if (QTest::currentTestFailed())
            return;

        // The next stage: Vestiti (20) on this screen, two more Bonus categories and a genre.
        QVERIFY(puzzle->imgCat(3)->isEnabled());
        for (int opened : {4, 11, 12, 20})
            QVERIFY2(qint16(objUser.Categorie(opened)) == 1,
                     qPrintable(QStringLiteral("category %1").arg(opened)));
        QVERIFY2(answers.shown.size() == 1, qPrintable(answers.lastText()));
    }
};

QTEST_MAIN(tst_play_StripPath)
#include "tst_play_StripPath.moc"
