#pragma once

#include <QString>
#include <QUrl>
#include <array>
#include <functional>

// The game's way to the web: the forum and the record post. With the browser engine they show in
// lumivo-web, the program beside the game that holds the web window: started when first needed,
// reused while its window is open, and watched, so that an engine that cannot start or dies is
// reported and never takes the game with it. Built without the engine, pages open in the
// system's browser and the record is posted from here.
namespace WebCompanion {

// Shows a page of the site.
void open(const QUrl &address);

// Sends the player's name and times (Classic, Bonus, Alpha, Puzzle) to the site's record page.
// `answered` is called once: true only when the site answered the post with 2xx.
void sendRecord(const QString &name, const std::array<qint32, 4> &times, std::function<void(bool)> answered);

#if LUMIVO_WEBENGINE
// The program started as the web window: lumivo-web beside the game unless set (tests).
void setProgram(const QString &path);
// The running web window's process id, 0 when none is running.
qint64 processId();
#endif

} // namespace WebCompanion
