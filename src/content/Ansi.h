#pragma once

#include <QByteArray>
#include <QString>

// Text on disk (profiles, titles) is Windows-1252, one byte per character.
namespace Ansi {

// Encodes text; *ok turns false when a character has no Windows-1252 byte.
QByteArray encode(const QString &text, bool *ok = nullptr);
QString decode(const QByteArray &bytes);

} // namespace Ansi
