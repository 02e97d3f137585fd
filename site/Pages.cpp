#include "Pages.h"

#include "base/HtmlText.h"
#include "base/SitePaths.h"
#include "base/TimeText.h"

#include <QLocale>

#include <limits>

namespace Pages {

namespace {

using HtmlText::escaped;

struct GameType {
    const char *name;
    const char *colour;
};
// Game-type order of the record value.
constexpr GameType gameTypes[4] = {
    {"Classic", "#3867d6"},
    {"Bonus", "#f7a21b"},
    {"Alpha", "#20a46b"},
    {"Puzzle", "#d2436b"},
};

const char *const style = R"(
body { font-family: Verdana, "DejaVu Sans", sans-serif; margin: 0; background: #f4f1ea; color: #26241f; }
header { background: #1d2433; color: #f4f1ea; padding: 1.2em 2em; }
header a { color: #ffd36b; text-decoration: none; font-weight: bold; letter-spacing: .05em; }
main { max-width: 68em; margin: 1.5em auto; padding: 0 1.5em; }
h1 { font-size: 1.6em; margin: .2em 0 .6em; }
p { line-height: 1.5; }
.box { background: #fff; border-radius: 8px; padding: 1.2em 1.5em; box-shadow: 0 1px 4px #0002; }
.ok { border-left: 6px solid #20a46b; }
.err { border-left: 6px solid #d2436b; }
table { border-collapse: collapse; width: 100%; background: #fff; box-shadow: 0 1px 4px #0002; }
th, td { padding: .45em .6em; text-align: right; white-space: nowrap; }
th { background: #e8e2d4; font-size: .85em; }
tr:nth-child(even) td { background: #faf8f3; }
td.name, th.name { text-align: left; white-space: normal; word-break: break-all; }
td.bar { width: 40%; min-width: 12em; }
td.pos { color: #8a8475; }
td.total { font-weight: bold; }
small { color: #8a8475; }
svg { display: block; width: 100%; height: 18px; }
.legend span { display: inline-block; margin-right: 1.2em; }
tr.me td { background: #fff3c4; }
nav.pages { margin: 1em 0; text-align: center; }
nav.pages a, nav.pages b { display: inline-block; padding: .2em .55em; margin: 0 .1em; }
form.search input { padding: .3em; width: 16em; }
.legend i { display: inline-block; width: .9em; height: .9em; border-radius: 2px; margin-right: .3em; vertical-align: -.1em; }
)";

QByteArray document(const QString &title, const QString &body)
{
    return QStringLiteral(
               "<!DOCTYPE html>\n<html lang=\"it\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
               "<title>%1 - Lumivo Pro</title>\n<style>%2</style>\n</head>\n<body>\n"
               "<header><a href=\"%4\">LUMIVO PRO</a></header>\n<main>\n%3</main>\n</body>\n</html>\n")
        .arg(escaped(title), QLatin1String(style), body, QLatin1String(SitePaths::Home))
        .toUtf8();
}

// A sum of times in the game's time text, also beyond what 32 bits hold.
QString totalText(qint64 seconds)
{
    if (seconds <= std::numeric_limits<qint32>::max())
        return FormatTime(qint32(seconds));
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// The four times side by side in one bar, its length the total against the slowest total.
QString bar(const RankedRecord &record, qint64 longest)
{
    QString svg = QStringLiteral("<svg viewBox=\"0 0 1000 18\" preserveAspectRatio=\"none\" role=\"img\" "
                                 "aria-label=\"%1\">")
                      .arg(escaped(QStringLiteral("Totale %1").arg(totalText(record.total))));
    svg += QStringLiteral("<rect width=\"1000\" height=\"18\" rx=\"3\" fill=\"#ece7dc\"/>");
    double x = 0;
    for (int k = 0; k < 4; ++k) {
        const double width = longest > 0 ? 1000.0 * record.times[k] / double(longest) : 0;
        if (width <= 0)
            continue;
        svg += QStringLiteral(
                   "<rect x=\"%1\" width=\"%2\" height=\"18\" fill=\"%3\"><title>%4 %5</title></rect>")
                   .arg(x, 0, 'f', 2)
                   .arg(width, 0, 'f', 2)
                   .arg(QLatin1String(gameTypes[k].colour), QLatin1String(gameTypes[k].name),
                        FormatTime(record.times[k]));
        x += width;
    }
    return svg + QStringLiteral("</svg>");
}

} // namespace

QByteArray recordSaved(const QString &name, const RecordValue::Times &times)
{
    QString list;
    for (int k = 0; k < 4; ++k)
        list += QStringLiteral("<li>%1: %2</li>").arg(QLatin1String(gameTypes[k].name), FormatTime(times[k]));
    const qint64 total = qint64(times[0]) + times[1] + times[2] + times[3];
    return document(QStringLiteral("Tempi registrati"),
                    QStringLiteral("<div class=\"box ok\"><h1>Tempi registrati</h1>\n"
                                   "<p>Grazie, <b>%1</b>! I tuoi tempi sono stati registrati:</p>\n"
                                   "<ul>%2</ul>\n<p>Totale: <b>%3</b>.</p>\n"
                                   "<p><a href=\"%4\">Vedi la classifica</a></p></div>\n")
                        .arg(escaped(name), list, totalText(total), QLatin1String(SitePaths::Ranking)));
}

QByteArray recordRefused(const QString &problem)
{
    return document(QStringLiteral("Tempi non registrati"),
                    QStringLiteral("<div class=\"box err\"><h1>Tempi non registrati</h1>\n<p>%1</p>\n"
                                   "<p>Nessun dato è stato salvato.</p></div>\n")
                        .arg(escaped(problem)));
}

QByteArray ranking(const RankingPage &page, const QString &searched)
{
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const QString address = QLatin1String(SitePaths::Ranking);
    QString body = QStringLiteral("<h1>Classifica</h1>\n<p>Chi ha finito il gioco nel tempo più breve sta in "
                                  "cima: il totale somma i tempi di Classic, Bonus, Alpha e Puzzle.</p>\n");
    body += QStringLiteral("<form class=\"search\" action=\"%1\" method=\"get\"><label>Cerca un giocatore: "
                           "<input name=\"name\" maxlength=\"43\" value=\"%2\"></label> "
                           "<button>Cerca</button></form>\n")
                .arg(address, escaped(searched));
    if (!searched.isEmpty() && page.found < 0)
        return document(QStringLiteral("Classifica"),
                        body
                            + QStringLiteral("<div class=\"box err\"><p>Nessun giocatore si chiama "
                                             "<b>%1</b>. Controlla maiuscole, accenti e spazi.</p></div>\n")
                                  .arg(escaped(searched)));
    if (page.records.isEmpty())
        return document(QStringLiteral("Classifica"),
                        body
                            + QStringLiteral("<div class=\"box\"><p>Nessun tempo è stato ancora "
                                             "registrato. Il primo posto è libero!</p></div>\n"));
    const qint64 numbered = qint64(RankingPage::MaxPages) * RankingPage::PageSize;
    if (page.found >= 0) {
        const QString name = escaped(page.records[page.found].name);
        body += page.first > 0
                    ? QStringLiteral("<p class=\"box ok\"><b>%1</b> è al %2º posto.</p>\n")
                          .arg(name, italian.toString(page.first + page.found))
                    : QStringLiteral("<p class=\"box ok\"><b>%1</b> è oltre il %2º posto: la classifica "
                                     "numera i primi %2 giocatori.</p>\n")
                          .arg(name, italian.toString(numbered));
    }
    body += QStringLiteral("<p class=\"legend\">");
    for (const GameType &type : gameTypes)
        body += QStringLiteral("<span><i style=\"background:%1\"></i>%2</span>")
                    .arg(QLatin1String(type.colour), QLatin1String(type.name));
    body += QStringLiteral("</p>\n<table>\n<tr><th>#</th><th class=\"name\">Giocatore</th>");
    for (const GameType &type : gameTypes)
        body += QStringLiteral("<th>%1</th>").arg(QLatin1String(type.name));
    body += QStringLiteral("<th>Totale</th><th></th></tr>\n");
    qint64 longest = 0;
    for (const RankedRecord &record : page.records)
        longest = qMax(longest, record.total);
    for (int k = 0; k < page.records.size(); ++k) {
        const RankedRecord &record = page.records[k];
        body += QStringLiteral(
                    "<tr%1><td class=\"pos\">%2</td><td class=\"name\">%3<br><small>%4</small></td>")
                    .arg(k == page.found ? QStringLiteral(" class=\"me\"") : QString(),
                         page.first > 0 ? QString::number(page.first + k)
                                        : QStringLiteral("&gt;%1").arg(numbered),
                         escaped(record.name),
                         record.arrived.toUTC().toString(QStringLiteral("dd/MM/yyyy HH:mm 'UTC'")));
        for (const qint32 t : record.times)
            body += QStringLiteral("<td>%1</td>").arg(FormatTime(t));
        body += QStringLiteral("<td class=\"total\">%1</td><td class=\"bar\">%2</td></tr>\n")
                    .arg(totalText(record.total), bar(record, longest));
    }
    body += QStringLiteral("</table>\n");
    // The first and last pages, and those near this one.
    if (page.pages > 1) {
        body += QStringLiteral("<nav class=\"pages\">Pagine: ");
        for (int n = 1; n <= page.pages; ++n) {
            if (n != 1 && n != page.pages && std::abs(n - page.number) > 3) {
                body += QStringLiteral(" … ");
                n = n < page.number ? page.number - 4 : page.pages - 1; // to the next one shown
                continue;
            }
            body += n == page.number ? QStringLiteral("<b>%1</b>").arg(n)
                                     : QStringLiteral("<a href=\"%1?page=%2\">%2</a>").arg(address).arg(n);
        }
        body += QStringLiteral("</nav>\n");
    }
    if (page.more)
        body += QStringLiteral("<p><small>Le pagine numerano i primi %1 giocatori; per gli altri cerca il "
                               "nome.</small></p>\n")
                    .arg(italian.toString(numbered));
    return document(QStringLiteral("Classifica"), body);
}

QByteArray forum()
{
    return document(
        QStringLiteral("Comunità"),
        QStringLiteral("<div class=\"box\"><h1>La comunità di Lumivo Pro</h1>\n"
                       "<p>Il forum non è ospitato su questo sito. Per trovare gli altri giocatori, "
                       "chiedere un aiuto su un titolo o segnalare un errore, scrivi a chi gestisce "
                       "questo sito: il suo indirizzo è dove hai trovato il gioco.</p>\n"
                       "<p>Quando segnali un'immagine, indica il suo codice: durante il gioco lo mostra "
                       "il tasto F1.</p>\n"
                       "<p>Hai finito il gioco? Invia i tuoi tempi dal menu e guarda la "
                       "<a href=\"%1\">classifica</a>.</p></div>\n")
            .arg(QLatin1String(SitePaths::Ranking)));
}

QByteArray home()
{
    return document(QStringLiteral("Benvenuto"),
                    QStringLiteral("<div class=\"box\"><h1>Lumivo Pro</h1>\n"
                                   "<p>Il sito del gioco: da qui il gioco scarica le categorie mancanti e "
                                   "qui arrivano i tempi dei giocatori.</p>\n<ul>\n"
                                   "<li><a href=\"%1\">Classifica</a></li>\n"
                                   "<li><a href=\"%2\">Comunità</a></li>\n</ul></div>\n")
                        .arg(QLatin1String(SitePaths::Ranking), QLatin1String(SitePaths::Forum)));
}

QByteArray message(const QString &title, const QString &text)
{
    return document(title, QStringLiteral("<div class=\"box err\"><h1>%1</h1>\n<p>%2</p></div>\n")
                               .arg(escaped(title), escaped(text)));
}

} // namespace Pages
