#pragma once

#include <QString>

#include <optional>
#include <utility>

// The cases of failure that a caller handles differently; everything else is Other. The message
// tells the player; a caller branches on the kind, never on the message, which translators change.
enum class FailureKind {
    Other,
    ForeignProfile, // the profile of that name belongs to a name typed otherwise
    WrongPassword,
};

// What a routine that can fail gives back: its value, or a message for the player that says what
// went wrong, with its kind. The caller decides whether and how to show it; nothing below the
// screens shows it.
struct Failure {
    QString message;
    FailureKind kind = FailureKind::Other;
};

// The failure of any Result: `return fail(QStringLiteral("…"));`
inline Failure fail(QString message, FailureKind kind = FailureKind::Other)
{
    return Failure {std::move(message), kind};
}

template<typename T = void> class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_value(std::move(value))
    { }
    Result(Failure problem)
        : m_failure(std::move(problem))
    { }

    bool ok() const { return m_value.has_value(); }
    explicit operator bool() const { return ok(); }

    const T &value() const { return *m_value; }
    T &value() { return *m_value; }
    const T &operator*() const { return *m_value; }
    T &operator*() { return *m_value; }
    const T *operator->() const { return &*m_value; }
    T *operator->() { return &*m_value; }

    // Empty while the result is good.
    const QString &problem() const { return m_failure.message; }
    FailureKind kind() const { return m_failure.kind; }
    // The same failure, for a caller that returns another kind of result.
    const Failure &failure() const { return m_failure; }

private:
    std::optional<T> m_value;
    Failure m_failure;
};

template<> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure problem)
        : m_ok(false)
        , m_failure(std::move(problem))
    { }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString &problem() const { return m_failure.message; }
    FailureKind kind() const { return m_failure.kind; }
    const Failure &failure() const { return m_failure; }

private:
    bool m_ok = true;
    Failure m_failure;
};
