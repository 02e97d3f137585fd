#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A picture of content.tsv taken from a film: "FILM@TIME", then the grab's options, blank
// separated ("films/intrigo.mkv@00:31:12.5 cover-faces remove=masks/12.png").
struct FilmStill {
    QString film;     // relative to the source folder, as written
    QString time;     // as written; lumivo-grab reads it
    QStringList grab; // lumivo-grab's options, paths made absolute
};

// The film line in `field`; nothing when the field is not of the film form. A field of that
// form with an option lumivo-grab does not take gives a still and a `problem`.
std::optional<FilmStill> filmStill(const QString &field, const QString &source, QString *problem);
