#include "base/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTextStream>
#include <QTranslator>

namespace Language {

namespace {
struct Installed {
    Choice choice = Choice::Italian;
    QTranslator *own = nullptr; // the program's English catalogue
    QTranslator *qt = nullptr;  // Qt's Italian texts
};

Installed &installed()
{
    static Installed value;
    return value;
}

// The language part of a code: "en" of "en_GB" or "en-US", in small letters.
QString languageOf(const QString &code)
{
    return code.trimmed().toLower().section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0);
}

// A translator of the application's, installed; nullptr when the catalogue is not there.
QTranslator *installedCatalogue(const QString &name, const QString &folder)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(name, folder) && QCoreApplication::installTranslator(translator))
        return translator;
    delete translator;
    return nullptr;
}

void uninstall(QTranslator *&translator)
{
    if (!translator)
        return;
    QCoreApplication::removeTranslator(translator);
    delete translator;
    translator = nullptr;
}
} // namespace

std::optional<Choice> fromCode(const QString &code)
{
    const QString language = languageOf(code);
    if (language == QLatin1String("en"))
        return Choice::English;
    if (language == QLatin1String("it"))
        return Choice::Italian;
    return std::nullopt;
}

void install(Choice choice, const QString &program)
{
    Installed &now = installed();
    uninstall(now.own);
    uninstall(now.qt);
    if (choice == Choice::English) {
        now.own = installedCatalogue(program + QStringLiteral("_en"), QStringLiteral(":/i18n"));
        if (!now.own) {
            QTextStream(stderr) << "Traduzione inglese di " << program
                                << " non trovata: si resta in italiano\n";
            choice = Choice::Italian;
        }
    }
    // Qt's own buttons and menus: in Italian only with the Italian game, in English as Qt writes them.
    if (choice == Choice::Italian)
        now.qt = installedCatalogue(QStringLiteral("qtbase_it"),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    QLocale::setDefault(choice == Choice::English ? QLocale(QLocale::English, QLocale::UnitedStates)
                                                  : QLocale(QLocale::Italian, QLocale::Italy));
    now.choice = choice;
}

Choice current()
{
    return installed().choice;
}

QString code(Choice choice)
{
    return choice == Choice::English ? QStringLiteral("en") : QStringLiteral("it");
}

} // namespace Language
