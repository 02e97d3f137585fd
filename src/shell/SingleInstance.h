#pragma once

#include <QString>

// Holds a lock in the game folder's User/ while the game runs, so a second copy can tell it is
// second. The system lets go of the lock when its holder ends, however it ends, so a lock file
// left behind by a copy that was killed, whatever it holds, is taken over at once.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &gameFolder);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    bool isFirst() const { return m_first; }
    // Why the lock could not be taken when no live copy holds it (a message for the player, in
    // the language of the moment it is asked for); empty for the first copy and for a second one.
    QString problem() const;

    static QString lockPathFor(const QString &gameFolder);

private:
    int m_handle = -1;
    bool m_first = false;
    // The lock file that could not be used, when it could not.
    QString m_unusable;
};
