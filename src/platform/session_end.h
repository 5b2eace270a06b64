#pragma once
// Ends the run in order when it is ended from outside: a termination or
// hang-up signal, the desktop session logging out, or the display going away.
// None of these may lose what the user entered, and none has anyone to ask.

#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform {

// While it lives, each of those ends runs endSession (the program's exit
// sequence without questions; it must cope with being called more than once)
// and then leaves every event loop, so the program ends as after a normal close.
// The display going away ends the process from inside the toolkit with exit():
// endSession then runs from an exit handler, while the windows still exist.
class SessionEndWatch : public QObject {
public:
    explicit SessionEndWatch(std::function<void()> endSession);
    ~SessionEndWatch() override;
    SessionEndWatch(const SessionEndWatch&) = delete;
    SessionEndWatch& operator=(const SessionEndWatch&) = delete;

private:
    void endAndQuit();

    std::function<void()> end;
    std::unique_ptr<QSocketNotifier> signalNotifier;
};

} // namespace platform
