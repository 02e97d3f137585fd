// The player's language as the game sets it at start-up: Italian unless English is asked for, and
// then English on the screens, in the messages of the window-free rules and on Qt's own buttons.

#include "TestSupport.h"
#include "base/Language.h"
#include "content/Extraction.h"
#include "shell/MenuScreen.h"
#include "shell/Startup.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

class tst_Language : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        // Each row says what the player set; nothing is left from the shell that runs the test.
        qunsetenv("LUMIVO_LANG");
    }

    void cleanup()
    {
        qunsetenv("LUMIVO_LANG");
        Startup::setLanguage({});
    }

    void theGameSpeaksTheLanguageAskedFor_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("environment"); // LUMIVO_LANG, unset when empty
        QTest::addColumn<bool>("english");

        QTest::newRow("nothing asked") << QStringList() << QByteArray() << false;
        QTest::newRow("--lang en") << QStringList {"--lang", "en"} << QByteArray() << true;
        QTest::newRow("--lang=en_GB") << QStringList {"--lang=en_GB"} << QByteArray() << true;
        QTest::newRow("LUMIVO_LANG=en") << QStringList() << QByteArray("en") << true;
        QTest::newRow("--lang it over LUMIVO_LANG=en")
            << QStringList {"--lang", "it"} << QByteArray("en") << false;
        QTest::newRow("--lang en over LUMIVO_LANG=it")
            << QStringList {"--lang", "en"} << QByteArray("it") << true;
        QTest::newRow("a language the game lacks") << QStringList {"--lang", "fr"} << QByteArray() << false;
    }

    void theGameSpeaksTheLanguageAskedFor()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, environment);
        QFETCH(bool, english);
        if (!environment.isEmpty())
            qputenv("LUMIVO_LANG", environment);
        Startup::setLanguage(QStringList {QStringLiteral("lumivo")} + arguments);

        GameFolderFixture game;
        const MenuScreen menu(game.profile());
        QCOMPARE(menu.windowTitle(),
                 english ? QStringLiteral("Choose a game mode") : QStringLiteral("Selezione tipo di gioco"));
        QCOMPARE(extractPage(game.table(), 23, 1).problem(),
                 english ? QStringLiteral("Category 23 does not exist.")
                         : QStringLiteral("La categoria 23 non esiste."));
        const QDialogButtonBox buttons(QDialogButtonBox::Yes);
        QCOMPARE(buttons.button(QDialogButtonBox::Yes)->text(),
                 english ? QStringLiteral("&Yes") : QStringLiteral("&Sì"));
        // What the web window is started with.
        QCOMPARE(Language::code(Language::current()), english ? QStringLiteral("en") : QStringLiteral("it"));
    }
};

QTEST_MAIN(tst_Language)
#include "tst_Language.moc"
