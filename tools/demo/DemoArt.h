#pragma once

#include "demo/DemoFilms.h"

#include <QByteArray>
#include <QString>

// Our own drawings of the demo pictures, 200 × 110: no stills, no faces, just enough hints
// (genre colour, an emblem, the year, the director, part of the title) to guess the film.
namespace DemoArt {

constexpr int Width = 200;
constexpr int Height = 110;

// The title with its plain vowels hidden, but for a word's first letter: "L_ v_t_ è b_ll_".
QString hideVowels(const QString &title);
// First letter of each word, the rest hidden: "L_ v___ è b____".
QString initials(const QString &title);
// Every second letter of each word hidden: "L_ v_t_ è b_l_a".
QString everyOtherLetter(const QString &title);
// First letter of each word and a box per other letter: "L□ v□□□ è b□□□□".
QString boxes(const QString &title);
// The letters of each word in alphabetical order: "al aitv è abell".
QString anagram(const QString &title);

// The picture of film number `index` (0-based) in the look of its game type: a JPEG for Classic
// and Bonus, a PNG card for Puzzle. *suffix receives the file extension.
QByteArray picture(const DemoFilms::Film &film, int index, QString *suffix);

} // namespace DemoArt
