#pragma once

#include "demo/DemoFilms.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>

// Our own drawings of the demo pictures, 200 × 110: no stills, no faces, just enough hints
// (genre colour, an emblem, the year, the director, part of the title) to guess the film.
namespace DemoArt {

constexpr int Width = 200;
constexpr int Height = 110;

// The title with its plain vowels hidden, but for a word's first letter: "L_ v_t_ è b_ll_".
QString hideVowels(const QString &title);
// First letter of each word, the rest hidden: "L_ v___ è b____".
QString initials(const QString &title);
// The first letter of each word with a dot: "L'uomo e il mare" gives "L.u. e. i. m.".
QString firstLetters(const QString &title);
// The length of each word, the separators kept: "Spider-Man" gives "6-3", "Top Gun" "3 3".
QString wordLengths(const QString &title);

// The picture of film number `index` (0-based) in the look of its category: a JPEG for Classic
// and Bonus, a PNG card for Puzzle. *suffix receives the file extension.
QByteArray picture(const DemoFilms::Film &film, int index, QString *suffix);

// The cover of a category, from which its three thumbnails are made. It keeps its top left
// corner and its bottom band clear of anything to read: the thumbnails put their marks there.
QImage cover(int category);

// The texts that did not fit their place at the smallest legible size, since the start.
QStringList overflows();

} // namespace DemoArt
