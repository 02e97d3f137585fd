#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Text on disk (profiles, titles) is Windows-1252, one byte per character.
namespace Ansi {

// Encodes text; *ok turns false when a character has no Windows-1252 byte.
QByteArray encode(const QString &text, bool *ok = nullptr);
QString decode(const QByteArray &bytes);

// The stored form of names, passwords and titles: every byte raised by one. Nothing for a byte
// 255, which has no stored form.
std::optional<QByteArray> shiftedUp(const QByteArray &plain);
// The plain form of stored bytes, every byte lowered by one. Nothing for a stored byte 0.
std::optional<QByteArray> shiftedDown(const QByteArray &stored);

} // namespace Ansi
