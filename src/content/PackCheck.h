#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

// What a pack, a picture and a title of the game's content must be. The content tool checks a
// Data folder with these, and a download is held to them before it replaces anything, so both
// refuse the same things. Problems come as lower-case phrases for the caller's own sentence.
namespace PackCheck {

// The fixed header every pack begins with: the signature, then zeros up to the first picture.
QByteArray packHeader();
// Why `pack` does not begin as a pack; empty when it does.
QString headerProblem(const QByteArray &pack);

// The size of a pack whose pictures have these index.lvx lengths (last byte indexes); -1 when a
// length is negative.
qint64 packSize(const QVector<qint32> &lengths);

// Why a title cannot go into index.lvt or the page list; empty when it can.
QString titleProblem(const QString &title);

// Whether the screens can show `data`: it decodes as a picture.
bool isReadableImage(const QByteArray &data);

} // namespace PackCheck
