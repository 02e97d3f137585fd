#include "profile/LoginRules.h"

#include "content/Ansi.h"
#include "profile/ProfileFile.h"

#include <QCoreApplication>

namespace LoginRules {

namespace {
// Storable: every character has a Windows-1252 byte that can be raised by one.
bool isStorable(const QString &text)
{
    bool ok = true;
    const QByteArray bytes = Ansi::encode(text, &ok);
    return ok && !bytes.contains('\xFF');
}

bool fitsRecord(const QString &text)
{
    return Ansi::encode(text).size() <= ProfileFile::MaxTextLength;
}

bool hasForbiddenFileCharacter(const QString &name)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || forbidden.contains(c))
            return true;
    }
    return false;
}
} // namespace

QString problemWith(const QString &name, const QString &password)
{
    if (name.isEmpty())
        return QCoreApplication::translate("LoginRules", "Scrivi il nome utente prima di entrare.");
    if (hasForbiddenFileCharacter(name))
        return QCoreApplication::translate("LoginRules",
                                           "Il nome utente non può contenere i caratteri / \\ : * ? \" < > | "
                                           "né caratteri di controllo; scegli un altro nome.");
    if (name.startsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char('.'))
        || name.endsWith(QLatin1Char(' ')))
        return QCoreApplication::translate(
            "LoginRules", "Il nome utente non può cominciare con un punto né finire con un punto "
                          "o uno spazio; scegli un altro nome.");
    if (!isStorable(name))
        return QCoreApplication::translate("LoginRules",
                                           "Il nome utente contiene caratteri che il gioco non può salvare; "
                                           "usa lettere, cifre e segni comuni.");
    if (!fitsRecord(name))
        return QCoreApplication::translate("LoginRules",
                                           "Il nome utente è troppo lungo: al massimo 43 caratteri.");
    if (!isStorable(password))
        return QCoreApplication::translate("LoginRules",
                                           "La password contiene caratteri che il gioco non può salvare; "
                                           "usa lettere, cifre e segni comuni.");
    if (!fitsRecord(password))
        return QCoreApplication::translate("LoginRules",
                                           "La password è troppo lunga: al massimo 43 caratteri.");
    return QString();
}

} // namespace LoginRules
