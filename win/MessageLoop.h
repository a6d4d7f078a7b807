// The window thread's message loop, with message filters (keyboard shortcuts)
// and idle handlers.
#pragma once

#include <windows.h>

#include <vector>

// Sees every message of the loop before it is dispatched.
class MessageFilter {
public:
    // Returns true if the message was consumed; it is then not dispatched.
    virtual bool preTranslate(MSG& message) = 0;

protected:
    ~MessageFilter() = default;
};

// Work done while the thread's queue is empty.
class IdleHandler {
public:
    // Returns true to be called again if the queue is still empty; false lets
    // the loop wait for the next message.
    virtual bool onIdle() = 0;

protected:
    ~IdleHandler() = default;
};

class MessageLoop {
public:
    MessageLoop() = default;
    MessageLoop(const MessageLoop&) = delete;
    MessageLoop& operator=(const MessageLoop&) = delete;

    // Filters are offered a message in the reverse order of registration.
    // Registration is by address; the caller keeps the object alive until it
    // removes it. Removing one that is not registered does nothing.
    void addFilter(MessageFilter& filter);
    void removeFilter(MessageFilter& filter);
    void addIdleHandler(IdleHandler& handler);
    void removeIdleHandler(IdleHandler& handler);

    // Runs until WM_QUIT and returns its exit code.
    int run();

private:
    bool preTranslate(MSG& message);
    bool runIdleHandlers();

    std::vector<MessageFilter*> filters_;
    std::vector<IdleHandler*> idleHandlers_;
};
