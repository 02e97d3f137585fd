#pragma once

// The screens' message boxes in tests: each is answered by the test, and one no test expects fails it.

#include "widgets/Messages.h"

#include <QTest>
#include <QVector>

// A message that no test expects fails the test at once, instead of passing unseen or waiting
// for a click that never comes.
inline bool failUnexpectedMessage(const Messages::Message &message)
{
    QTest::qFail(qPrintable(QStringLiteral("unexpected message: ") + message.text), __FILE__, __LINE__);
    return false;
}
struct UnexpectedMessagesFail {
    UnexpectedMessagesFail() { Messages::setHandler(failUnexpectedMessage); }
};
inline UnexpectedMessagesFail unexpectedMessagesFail;

// The message boxes a test expects, each known by a piece of its text and answered as given, in
// the order they are expected. Any other message fails the test at once.
class ExpectedMessages
{
public:
    ExpectedMessages()
    {
        Messages::setHandler([this](const Messages::Message &message) { return answer(message); });
    }
    ~ExpectedMessages() { Messages::setHandler(failUnexpectedMessage); }

    void expect(const QString &textPart, bool answerYes = true) { m_waiting.append({textPart, answerYes}); }
    // Empty when every expected message has been shown; else the first one still waited for.
    QString missing() const { return m_waiting.isEmpty() ? QString() : m_waiting.first().textPart; }

    QVector<Messages::Message> shown;

private:
    struct Expected {
        QString textPart;
        bool answerYes;
    };

    bool answer(const Messages::Message &message)
    {
        if (m_waiting.isEmpty() || !message.text.contains(m_waiting.first().textPart))
            return failUnexpectedMessage(message);
        shown.append(message);
        return m_waiting.takeFirst().answerYes;
    }

    QVector<Expected> m_waiting;
};
