#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QSize>
#include <QStringList>

// The options of a grab, worded once for lumivo-grab, `lumivo-pack grab` and the film lines of
// content.tsv.
struct GrabOptions {
    GrabOptions();

    QCommandLineOption size;
    QCommandLineOption keepAspect;
    QCommandLineOption coverFaces;
    QCommandLineOption showFaces;
    QCommandLineOption face;
    QCommandLineOption remove;
    QCommandLineOption seed;

    QList<QCommandLineOption> all() const;
    // The options `parser` found, as lumivo-grab's arguments.
    QStringList forward(const QCommandLineParser &parser) const;
    // The options of a film line of content.tsv: every grab option but show-faces.
    QList<QCommandLineOption> forFilmLines() const;

    // Lines of a usage text, one per option: its names and value, then its description.
    static QString describe(const QList<QCommandLineOption> &options);
    // Why `parser` refused `arguments`, in Italian (Qt's own words are English).
    static QString refusal(const QCommandLineParser &parser, const QStringList &arguments,
                           const QList<QCommandLineOption> &options);
};

// The picture a Classic cell shows, 3000 × 1650 twips: the size of a still unless told otherwise.
constexpr QSize StillSize(200, 110);
