#pragma once

#include <functional>

// The user-interface thread's queue of waiting work. Other threads (the audio device's)
// never call into the program's objects; they post a task here and the task runs later on
// the user-interface thread, in the order posted. The GUI runs tasks from its event loop;
// tests and earlark-tool use PumpedMessageQueue and run them explicitly.
class MessageQueue {
public:
    virtual ~MessageQueue() = default;

    // Safe to call from any thread.
    virtual void Post(std::function<void()> task) = 0;
};
