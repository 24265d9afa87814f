#pragma once

#include "platform/MessageQueue.h"

#include <QObject>

// The message queue of the GUI: tasks run from Qt's event loop on the thread of the context
// object (the main thread), in the order posted. Tasks still waiting when the context object
// is destroyed are dropped; the context must outlive every thread that posts (the output
// device is closed before the main window goes).
class QtMessageQueue : public MessageQueue {
public:
    explicit QtMessageQueue(QObject* context) : m_context(context) {}

    void Post(std::function<void()> task) override;

private:
    QObject* m_context;
};
