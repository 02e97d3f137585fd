#pragma once

#include <QString>

#include <optional>
#include <utility>

// What a routine that can fail gives back: its value, or a message for the player that says what
// went wrong. The caller decides whether and how to show it; nothing below the screens shows it.
struct Failure {
    QString message;
};

// The failure of any Result: `return fail(QStringLiteral("…"));`
inline Failure fail(QString message)
{
    return Failure {std::move(message)};
}

template<typename T = void> class [[nodiscard]] Result
{
public:
    Result(T value)
        : m_value(std::move(value))
    { }
    Result(Failure problem)
        : m_problem(std::move(problem.message))
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
    const QString &problem() const { return m_problem; }
    // The same failure, for a caller that returns another kind of result.
    Failure failure() const { return Failure {m_problem}; }

private:
    std::optional<T> m_value;
    QString m_problem;
};

template<> class [[nodiscard]] Result<void>
{
public:
    Result() = default;
    Result(Failure problem)
        : m_ok(false)
        , m_problem(std::move(problem.message))
    { }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString &problem() const { return m_problem; }
    Failure failure() const { return Failure {m_problem}; }

private:
    bool m_ok = true;
    QString m_problem;
};
