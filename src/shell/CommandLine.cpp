#include "shell/CommandLine.h"

#include "base/SiteAddress.h"
#include "base/ZoomSteps.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace CommandLine {

namespace {
const QString LangOption = QStringLiteral("lang");
const QString SiteOption = QStringLiteral("site");
const QString ZoomOption = QStringLiteral("zoom");

QString programName(Program program)
{
    return program == Program::Game ? QStringLiteral("lumivo") : QStringLiteral("lumivo-web");
}

// The options of `program`, described in the language of the moment.
void define(QCommandLineParser &parser, Program program)
{
    parser.setApplicationDescription(
        program == Program::Game
            ? QCoreApplication::translate("CommandLine", "Lumivo Pro, il quiz dei film.")
            : QCoreApplication::translate("CommandLine",
                                          "La finestra web di Lumivo Pro, che il gioco apre e comanda "
                                          "dal suo standard input."));
    // Qt's own --help has no Italian description.
    parser.addOption({{QStringLiteral("h"), QStringLiteral("help")},
                      QCoreApplication::translate("CommandLine", "Mostra queste righe sulle opzioni.")});
    parser.addVersionOption();
    parser.addOption({LangOption,
                      QCoreApplication::translate(
                          "CommandLine", "La lingua del gioco, it (italiano) o en (inglese) (predefinita: "
                                         "LUMIVO_LANG, poi it)."),
                      QStringLiteral("CODE")});
    if (program == Program::Game)
        parser.addOption({SiteOption,
                          QCoreApplication::translate(
                              "CommandLine", "Indirizzo del sito del gioco, http:// o https:// (predefinito: "
                                             "LUMIVO_SITE, poi %1).")
                              .arg(QStringLiteral(LUMIVO_DEFAULT_SITE)),
                          QStringLiteral("URL")});
    else
        parser.addOption(
            {ZoomOption,
             QCoreApplication::translate("CommandLine", "Lo zoom del gioco in percento (predefinito: 100)."),
             QStringLiteral("PERCENT")});
}

// The language asked for; one the game does not have is said, and Italian taken.
Language::Choice language(const QCommandLineParser &parser, QString &errors)
{
    const bool given = parser.isSet(LangOption);
    const QString code = given ? parser.value(LangOption) : qEnvironmentVariable("LUMIVO_LANG");
    if (code.isEmpty())
        return Language::Choice::Italian;
    if (const std::optional<Language::Choice> choice = Language::fromCode(code))
        return *choice;
    errors += QCoreApplication::translate(
                  "CommandLine", "%1: il gioco non ha la lingua \"%2\"; ha %3. Si gioca in italiano.")
                  .arg(given ? QStringLiteral("--lang") : QStringLiteral("LUMIVO_LANG"), code,
                       QCoreApplication::translate("CommandLine", "it (italiano) ed en (inglese)"))
              + QLatin1Char('\n');
    return Language::Choice::Italian;
}
} // namespace

Reading read(Program program, const QStringList &arguments)
{
    Reading reading;
    {
        // Read once for the language alone, so that the rest is said in it.
        QCommandLineParser first;
        define(first, program);
        first.parse(arguments);
        reading.options.language = language(first, reading.errors);
    }
    Language::install(reading.options.language, programName(program));

    QCommandLineParser parser;
    define(parser, program);
    const QString version = QStringLiteral("%1.%2.%3")
                                .arg(LUMIVO_VERSION_MAJOR)
                                .arg(LUMIVO_VERSION_MINOR)
                                .arg(LUMIVO_VERSION_PATCH);
    const bool parsed = parser.parse(arguments);
    if (!parsed || !parser.positionalArguments().isEmpty()) {
        reading.errors += (!parsed ? parser.errorText()
                                   : QCoreApplication::translate("CommandLine", "Argomento inatteso: %1")
                                         .arg(parser.positionalArguments().constFirst()))
                          + QStringLiteral("\n\n") + parser.helpText();
        reading.exitStatus = 2;
        return reading;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        reading.output = parser.helpText();
        reading.exitStatus = 0;
        return reading;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        reading.output = programName(program) + QLatin1Char(' ') + version + QLatin1Char('\n');
        reading.exitStatus = 0;
        return reading;
    }
    if (program == Program::WebWindow) {
        reading.options.zoom = ZoomSteps::valid(parser.value(ZoomOption).toInt());
        return reading;
    }
    const QString site
        = parser.isSet(SiteOption) ? parser.value(SiteOption) : qEnvironmentVariable("LUMIVO_SITE");
    if (!site.isEmpty() && !SiteAddress::configure(site))
        reading.errors
            += QCoreApplication::translate(
                   "CommandLine", "Indirizzo del sito non valido (--site o LUMIVO_SITE): %1; si usa %2.")
                   .arg(site, SiteAddress::base().toString())
               + QLatin1Char('\n');
    return reading;
}

} // namespace CommandLine
