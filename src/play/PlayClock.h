#pragma once

#include "base/Result.h"

#include <QCoreApplication>
#include <QtGlobal>

class Profile;

// The play time of one game type, counted into the profile a second at a time. The screen's
// timer calls tick(); the clock only says whether it runs and keeps the stored total right.
class PlayClock
{
    Q_DECLARE_TR_FUNCTIONS(PlayClock)

public:
    enum class State { Stopped, Running };

    // A tick counts a full second but comes a little sooner, so the clock never counts less
    // than the time really played.
    static constexpr int TickInterval = 950;

    PlayClock(Profile &profile, int gameType);

    int gameType() const { return m_gameType; }
    State state() const { return m_state; }
    bool isRunning() const { return m_state == State::Running; }
    void start() { m_state = State::Running; }
    void stop() { m_state = State::Stopped; }

    // The stored total of the game type, in seconds.
    qint32 total() const;

    // Starts an attempt from zero, as a game type that keeps only its last attempt does. Fails,
    // with the clock stopped, when the zero cannot be saved.
    Result<> restartFromZero();

    // One counted second: the total grows by one in the profile, holding at the most a slot can
    // store. Gives the new total; fails when it could not be saved, and then the clock stops rather
    // than count time it cannot keep.
    Result<qint32> tick();

private:
    Profile &m_profile;
    int m_gameType;
    State m_state = State::Stopped;
};
