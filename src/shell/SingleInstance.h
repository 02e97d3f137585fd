#pragma once

#include <QLockFile>
#include <memory>

// Holds a lock for the game folder while the game runs, so a second copy can tell it is second.
// A lock left behind by a copy that crashed is taken over at once.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &gameFolder);
    bool isFirst() const { return m_first; }

    static QString lockPathFor(const QString &gameFolder);

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_first = false;
};
