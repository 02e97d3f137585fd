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

// The site's pages, in Italian, as complete UTF-8 HTML documents.
namespace Pages {

QString escape(const QString &text);

QByteArray recordSaved(const QString &name, const RecordValue::Times &times);
QByteArray recordRefused(const QString &problem);
QByteArray ranking(const QVector<RankedRecord> &records);
QByteArray forum();
QByteArray home();
// A page with a title and one paragraph of plain text (escaped here).
QByteArray message(const QString &title, const QString &text);

} // namespace Pages
