#pragma once

#include "platform/MessageQueue.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>

// A message queue that runs its tasks only when its owner pumps it, on the owner's thread.
class PumpedMessageQueue : public MessageQueue {
public:
    void Post(std::function<void()> task) override;

    // Runs tasks until none is waiting (tasks posted meanwhile run too); returns how many ran.
    std::size_t RunPending();
    // Waits up to timeout for a task, then runs every waiting task; returns how many ran.
    std::size_t WaitAndRun(std::chrono::milliseconds timeout);
    std::size_t PendingCount() const;

private:
    bool TakeOne(std::function<void()>& task);

    mutable std::mutex m_mutex;
    std::condition_variable m_posted;
    std::deque<std::function<void()>> m_tasks;
};
