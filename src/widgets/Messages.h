#pragma once

#include <QString>
#include <functional>

// Every modal message box of the game goes through here, so that tests can answer them.
namespace Messages {

enum class Kind {
    Warning,  // OK button, exclamation icon
    Notice,   // OK button, information icon
    Question, // Yes and No buttons, information icon
};

struct Message {
    QString title;
    QString text;
    Kind kind;
};

// Shows the message and returns true for Yes (a question) or OK.
using Handler = std::function<bool(const Message &)>;

// The screens install the real message box at start-up; tests install their own answerer.
void setHandler(Handler handler);

bool show(const Message &message);
bool warn(const QString &text, const QString &title = QString());
void notify(const QString &text, const QString &title = QString());
bool ask(const QString &text, const QString &title = QString());

} // namespace Messages
