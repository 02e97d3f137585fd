// The whole way a new player goes, through the real screens: login, menu, Classic selection,
// the four starting categories played to their win, and back to a menu with Bonus open.

#include "ScreenSupport.h"
#include "TestSupport.h"
#include "profile/clsUser.h"
#include "select/CategorySelection.h"
#include "select/SelectionContent.h"
#include "shell/Screens.h"
#include "widgets/ClickableImage.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace ScreenSupport;

namespace {
// The first picture number of each starting category in the test content.
int firstPicture(int category)
{
    int first = 1;
    for (int c = 1; c < category; ++c)
        first += SelectionContent::pictureCount(c);
    return first;
}

void click(QWidget *screen, const QString &control)
{
    auto *widget = screen->findChild<QWidget *>(control);
    QVERIFY2(widget, qPrintable(control));
    QVERIFY2(widget->isVisible() && widget->isEnabled(),
             qPrintable(control + QStringLiteral(" cannot be clicked")));
    QVERIFY2(ScreenSupport::clickPlaceOf(screen, control), qPrintable(control));
}
} // namespace

class tst_WholePath : public QObject
{
    Q_OBJECT

    GameFolderFixture *m_game = nullptr;

    // Opens a Classic category, types every title and closes the play screen once it is won.
    void winCategory(QWidget *selection, int category)
    {
        click(selection, QStringLiteral("imgCat_%1").arg(category));
        if (QTest::currentTestFailed())
            return;
        QWidget *play = visibleTopLevel(QStringLiteral("frmPlayClassic"));
        QVERIFY2(play, "the play screen did not open");
        QVERIFY(settled(play));
        click(play, QStringLiteral("fraInfo"));
        for (int i = 1; i <= SelectionContent::pictureCount(category); ++i) {
            auto *box = play->findChild<QLineEdit *>(QStringLiteral("txtTitle_%1").arg(i));
            QVERIFY(box);
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::keyClicks(box, QStringLiteral("film %1").arg(firstPicture(category) + i - 1));
        }
        QCOMPARE(qint16(objUser.Categorie(category)), qint16(2));
        QVERIFY(play->close());
        QVERIFY(settled(selection));
        auto *count = selection->findChild<QLabel *>(QStringLiteral("lblCat_%1").arg(category));
        QCOMPARE(count->text(), QStringLiteral("9/9"));
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
    }

    void cleanup()
    {
        closeEveryWindow();
        delete m_game;
    }

    void aNewPlayerWinsTheStartingCategoriesAndFindsBonusOpen()
    {
        // The login window's own way to the menu is tst_frmSplash's.
        QVERIFY(SelectionContent::newPlayer(objUser, QStringLiteral("Giulia")));
        MessageRecorder answers(true);
        Screens::showMenu();
        QWidget *menu = visibleTopLevel(QStringLiteral("frmMain"));
        QVERIFY(menu);
        QVERIFY(settled(menu));
        QVERIFY(menu->findChild<QWidget *>(QStringLiteral("ImgBnMask"))->isVisible());
        click(menu, QStringLiteral("imgClassic"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QWidget *selection = visibleTopLevel(QStringLiteral("frmClassic"));
        QVERIFY2(selection, "the Classic screen did not open");
        QVERIFY(!visibleTopLevel(QStringLiteral("frmMain")));
        QVERIFY(settled(selection));
        for (int category : {1, 5, 7, 8}) {
            winCategory(selection, category);
            if (QTest::currentTestFailed())
                return;
        }
        auto *classic = qobject_cast<CategorySelection *>(selection);
        QVERIFY(classic);
        for (int opened : {2, 3})
            QVERIFY2(classic->imgCat(opened)->isEnabled(),
                     qPrintable(QStringLiteral("category %1").arg(opened)));

        QVERIFY(selection->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        menu = visibleTopLevel(QStringLiteral("frmMain"));
        QVERIFY2(menu, "the menu did not come back");
        QVERIFY(settled(menu));
        QVERIFY(!menu->findChild<QWidget *>(QStringLiteral("ImgBnMask"))->isVisible());
        QVERIFY(menu->findChild<QWidget *>(QStringLiteral("imgAlMask"))->isVisible());
        // Closing the last screen leaves no window, which ends the game.
        QVERIFY(menu->close());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (QWidget *window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(),
                     qPrintable(window->objectName() + QStringLiteral(" is still open")));
        QVERIFY2(answers.shown.isEmpty(), qPrintable(answers.lastText()));
    }
};

QTEST_MAIN(tst_WholePath)
#include "tst_WholePath.moc"
