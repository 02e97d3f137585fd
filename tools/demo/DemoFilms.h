#pragma once

#include <QVector>

// The films of the demo content: the answer (the title as known in Italy), what the picture
// shows as hints, and the emblem drawn on it.
namespace DemoFilms {

struct Film {
    int category;
    const char *title; // UTF-8
    int year;
    const char *director; // surname
    char16_t emblem;      // a symbol of the DejaVu Sans font
};

// In category order, each category's films in play order.
const QVector<Film> &all();

} // namespace DemoFilms
