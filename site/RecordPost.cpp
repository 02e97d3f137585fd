#include "RecordPost.h"

#include "content/Ansi.h"
#include "profile/LoginRules.h"

#include <QList>
#include <QStringDecoder>

namespace {

QString decodeField(QByteArray raw)
{
    // A browser writes blanks as "+"; a literal "+" arrives as "%2B".
    raw.replace('+', ' ');
    const QByteArray bytes = QByteArray::fromPercentEncoding(raw);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? Ansi::decode(bytes) : text;
}

} // namespace

RecordPost RecordPost::fromForm(const QByteArray &body)
{
    RecordPost post;
    bool haveName = false;
    bool haveValue = false;
    QString value;
    for (const QByteArray &pair : body.split('&')) {
        const qsizetype eq = pair.indexOf('=');
        const QString key = decodeField(eq < 0 ? pair : pair.left(eq));
        const QString field = eq < 0 ? QString() : decodeField(pair.mid(eq + 1));
        bool *seen = key == QLatin1String("usr")   ? &haveName
                     : key == QLatin1String("val") ? &haveValue
                                                   : nullptr;
        if (!seen)
            continue;
        if (*seen) {
            post.problem = QStringLiteral("Il campo %1 compare più di una volta.").arg(key);
            return post;
        }
        *seen = true;
        (seen == &haveName ? post.name : value) = field;
    }
    if (!haveName || post.name.isEmpty()) {
        post.problem = QStringLiteral("Manca il nome del giocatore (campo usr).");
        return post;
    }
    if (!haveValue || value.isEmpty()) {
        post.problem = QStringLiteral("Mancano i tempi di gioco (campo val).");
        return post;
    }
    const QString nameProblem = LoginRules::problemWith(post.name, QString());
    if (!nameProblem.isEmpty()) {
        post.problem = nameProblem;
        return post;
    }
    const auto times = RecordValue::parse(value);
    if (!times) {
        post.problem
            = QStringLiteral("I tempi (campo val) non sono validi: servono i quattro tempi di Classic, "
                             "Bonus, Alpha e Puzzle in secondi, ciascuno di almeno sei cifre, scritti "
                             "di seguito (24 cifre).");
        return post;
    }
    post.times = *times;
    return post;
}
