// The command lines of the game and of its web window: the language and the site asked for,
// --help and --version, and what is refused.

#include "TestSupport.h"
#include "shell/CommandLine.h"
#include "shell/MenuScreen.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

using CommandLine::Program;

class tst_CommandLine : public QObject
{
    Q_OBJECT

    static CommandLine::Reading read(Program program, const QString &arguments)
    {
        return CommandLine::read(program,
                                 (QStringLiteral("lumivo ") + arguments).split(' ', Qt::SkipEmptyParts));
    }

private slots:
    // Each row says what the player set; nothing is left from the shell that runs the test.
    void init()
    {
        qunsetenv("LUMIVO_LANG");
        qunsetenv("LUMIVO_SITE");
    }
    void cleanup()
    {
        init();
        read(Program::Game, {});
    }

    void theCommandLineIsTakenOrRefused_data()
    {
        QTest::addColumn<bool>("web");
        QTest::addColumn<QString>("arguments");
        QTest::addColumn<QByteArray>("lang"); // LUMIVO_LANG
        QTest::addColumn<int>("status");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("said"); // on standard output after --help or --version, else on error
        const auto row = [](const char *name, bool web, const char *arguments, const char *lang, int status,
                            bool english, const QString &said) {
            QTest::newRow(name) << web << QString(arguments) << QByteArray(lang) << status << english << said;
        };
        row("nothing asked", false, "", "", -1, false, {});
        row("--lang en", false, "--lang en", "", -1, true, {});
        row("--lang=en_GB over LUMIVO_LANG", false, "--lang=en_GB", "it", -1, true, {});
        row("LUMIVO_LANG=en", false, "", "en", -1, true, {});
        row("--lang it over LUMIVO_LANG=en", false, "--lang it", "en", -1, false, {});
        row("--lang fr", false, "--lang fr", "", -1, false,
            "--lang: il gioco non ha la lingua \"fr\"; ha it (italiano) ed en (inglese). Si gioca in "
            "italiano.\n");
        row("--help", false, "--help", "", 0, false, "--site <URL>");
        row("-h, in English", false, "-h --lang en", "", 0, true, "The game's site address");
        row("--version", false, "--version", "", 0, false,
            QStringLiteral("lumivo %1.").arg(LUMIVO_VERSION_MAJOR));
        row("a site that is no web address", false, "--site ftp://host/", "", -1, false,
            "Indirizzo del sito non valido (--site o LUMIVO_SITE): ftp://host/; si usa http");
        row("unknown option", false, "--frob", "", 2, false, "'frob'");
        row("an argument", false, "Mario", "", 2, false, "Mario");
        row("the web window's --zoom", true, "--help", "", 0, false, "--zoom <PERCENT>");
        row("no --site for the web window", true, "--site x", "", 2, false, "'site'");
    }
    void theCommandLineIsTakenOrRefused()
    {
        QFETCH(bool, web);
        QFETCH(QString, arguments);
        QFETCH(QByteArray, lang);
        QFETCH(int, status);
        QFETCH(bool, english);
        QFETCH(QString, said);
        if (!lang.isEmpty())
            qputenv("LUMIVO_LANG", lang);
        const CommandLine::Reading reading = read(web ? Program::WebWindow : Program::Game, arguments);
        QCOMPARE(reading.exitStatus, status);
        QCOMPARE(reading.options.language, english ? Language::Choice::English : Language::Choice::Italian);
        const QString &text = status == 0 ? reading.output : reading.errors;
        QVERIFY2(said.isEmpty() ? text.isEmpty() : text.contains(said), qPrintable(text));
        // Refused with the usage, on standard error alone.
        if (status == 2)
            QVERIFY(reading.errors.contains(QStringLiteral("--lang <CODE>")) && reading.output.isEmpty());
        if (web || status != -1)
            return;
        // The screens and Qt's own buttons speak the language taken.
        GameFolderFixture game;
        QCOMPARE(MenuScreen(game.profile()).windowTitle(),
                 english ? QStringLiteral("Choose a game mode") : QStringLiteral("Selezione tipo di gioco"));
        QCOMPARE(QDialogButtonBox(QDialogButtonBox::Yes).button(QDialogButtonBox::Yes)->text(),
                 english ? QStringLiteral("&Yes") : QStringLiteral("&Sì"));
    }
};

QTEST_MAIN(tst_CommandLine)
#include "tst_CommandLine.moc"
