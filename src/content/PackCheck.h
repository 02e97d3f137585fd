#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// What a pack, a picture and a title of the game's content must be. The content tool checks a
// Data folder with these, and a download is held to them before it replaces anything, so both
// refuse the same things. Problems come as lower-case phrases for the caller's own sentence.
namespace PackCheck {

// The header our packs begin with: a signature, then zeros up to the first picture. The game
// reads nothing from a pack's header, only its length is fixed, so other packers' packs carry
// other bytes there (often zeros) and are taken all the same.
QByteArray packHeader();
// Why `pack` is too short to hold a pack's header; empty when it is long enough.
QString headerProblem(const QByteArray &pack);

// The size of a pack whose pictures have these index.lvx lengths (last byte indexes); -1 when a
// length is negative.
qint64 packSize(const QVector<qint32> &lengths);

// Why a title cannot go into index.lvt or the page list; empty when it can.
QString titleProblem(const QString &title);

// Whether the screens can show `data`: it decodes as a picture.
bool isReadableImage(const QByteArray &data);

} // namespace PackCheck
