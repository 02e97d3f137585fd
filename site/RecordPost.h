#pragma once

#include "profile/RecordValue.h"

#include <QByteArray>
#include <QString>

// A player's times as the game's record form posts them: the fields usr (the player's name)
// and val (the record value), form-encoded.
struct RecordPost {
    QString name;
    RecordValue::Times times {};
    // Empty when the post is good; otherwise what is wrong with it, in Italian.
    QString problem;

    // Reads a form body. Percent-escapes are read as UTF-8 when they form UTF-8, otherwise as
    // Windows-1252, the game's own code page, so both kinds of browser page are understood.
    static RecordPost fromForm(const QByteArray &body);
    // One form-encoded field or query value read the same way; false for a "%" not followed by
    // two hexadecimal digits.
    static bool decodeField(QByteArray raw, QString *text);
    // How a name looks in the ranking, the key that tells players apart: typographic apostrophes,
    // accents, quotes, dashes and the marks drawn like plainer ones count as those. Letters that
    // merely resemble one another (I and l) stay apart. Records store the name itself.
    static QString look(const QString &name);
};
