#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <array>

// The record form page Temp/~record.htm: a form named "record" that posts the player's name
// (`usr`) and times (`val`) to the site's record page. Name and value are escaped for HTML, and
// every character beyond ASCII is written as a character reference, so the page is plain ASCII
// and the site receives the name exactly as the player typed it.
namespace RecordForm {

// The eight lines of the page, each ended by CR LF.
QByteArray page(const QUrl &action, const QString &name, const std::array<qint32, 4> &times);

} // namespace RecordForm
