#pragma once

#include <QVector>

// The films of the demo content: the answer, what the picture shows as hints, and the emblem
// drawn on it.
namespace DemoFilms {

struct Film {
    int category;
    const char *title; // UTF-8: the answer the player types
    int year;
    const char *director; // surname
    char16_t emblem;      // a symbol of the DejaVu Sans font
    // What a Puzzle picture is drawn from (UTF-8):
    //  Missing: "film title|scene with ___ for the missing element" (the answer is the element);
    //  Rebus: the pictograms, joined by "+": a DemoArt pictogram name or a word in capitals;
    //  Vestiti: the outfit, "hat,top,bottom,extra" with DemoArt's outfit part names.
    const char *clue = nullptr;
};

// In category order, each category's films in play order.
const QVector<Film> &all();

} // namespace DemoFilms
