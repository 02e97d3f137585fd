#pragma once

#include "profile/RecordValue.h"

#include <QDateTime>
#include <QString>
#include <QVector>

// One player's latest record as the ranking shows it.
struct RankedRecord {
    QString name;
    RecordValue::Times times {};
    qint64 total = 0;
    QDateTime arrived;
};

// One page of the ranking. Only the first MaxPages pages are numbered: a position further down
// would cost a count of the players before it on every request.
struct RankingPage {
    static constexpr int PageSize = 50;
    static constexpr int MaxPages = 2000;

    QVector<RankedRecord> records;
    qint64 first = 0; // position of records[0], from 1; 0 for a player beyond the numbered pages
    int number = 1;
    int pages = 0;     // numbered pages
    bool more = false; // players beyond the numbered pages
    int found = -1;    // the record of the player searched for
};

// The site's pages, in Italian, as complete UTF-8 HTML documents.
namespace Pages {

QByteArray recordSaved(const QString &name, const RecordValue::Times &times);
QByteArray recordRefused(const QString &problem);
// A page of the ranking; searched is the name a search asked for, if any.
QByteArray ranking(const RankingPage &page, const QString &searched = {});
QByteArray forum();
QByteArray home();
// A page with a title and one paragraph of plain text (escaped here).
QByteArray message(const QString &title, const QString &text);

} // namespace Pages
