#pragma once

#include "content/CategoryTable.h"
#include "profile/Profile.h"

// What the running game shares with its screens: the category table and the profile of the player
// who logged in. The application owns the one session and hands it to the screens that need it.
class GameSession
{
public:
    GameSession()
        : m_profile(m_table)
    { }
    GameSession(const GameSession &) = delete;
    GameSession &operator=(const GameSession &) = delete;

    CategoryTable &categories() { return m_table; }
    const CategoryTable &categories() const { return m_table; }
    Profile &profile() { return m_profile; }
    const Profile &profile() const { return m_profile; }

private:
    CategoryTable m_table;
    Profile m_profile;
};
