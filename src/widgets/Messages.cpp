#include "widgets/Messages.h"

#include "base/GameTypes.h"

namespace Messages {

namespace {
Handler &currentHandler()
{
    static Handler handler;
    return handler;
}

QString titleOrDefault(const QString &title)
{
    return title.isEmpty() ? Game::ProductTitle : title;
}
} // namespace

void setHandler(Handler handler)
{
    currentHandler() = std::move(handler);
}

bool show(const Message &message)
{
    // Without a handler (a tool without windows) nobody can answer: a question reads as No.
    if (!currentHandler())
        return message.kind != Kind::Question;
    return currentHandler()(message);
}

bool warn(const QString &text, const QString &title)
{
    return show({titleOrDefault(title), text, Kind::Warning});
}

void notify(const QString &text, const QString &title)
{
    show({titleOrDefault(title), text, Kind::Notice});
}

bool ask(const QString &text, const QString &title)
{
    return show({titleOrDefault(title), text, Kind::Question});
}

} // namespace Messages
