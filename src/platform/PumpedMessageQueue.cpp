#include "platform/PumpedMessageQueue.h"

#include <utility>

void PumpedMessageQueue::Post(std::function<void()> task) {
    {
        std::lock_guard lock(m_mutex);
        m_tasks.push_back(std::move(task));
    }
    m_posted.notify_one();
}

bool PumpedMessageQueue::TakeOne(std::function<void()>& task) {
    std::lock_guard lock(m_mutex);
    if (m_tasks.empty()) {
        return false;
    }
    task = std::move(m_tasks.front());
    m_tasks.pop_front();
    return true;
}

std::size_t PumpedMessageQueue::RunPending() {
    std::size_t count = 0;
    std::function<void()> task;
    // The lock is released while a task runs: a task may post further tasks.
    while (TakeOne(task)) {
        task();
        ++count;
    }
    return count;
}

std::size_t PumpedMessageQueue::WaitAndRun(std::chrono::milliseconds timeout) {
    {
        std::unique_lock lock(m_mutex);
        m_posted.wait_for(lock, timeout, [this] { return !m_tasks.empty(); });
    }
    return RunPending();
}

std::size_t PumpedMessageQueue::PendingCount() const {
    std::lock_guard lock(m_mutex);
    return m_tasks.size();
}
