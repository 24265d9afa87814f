#include "qt/QtMessageQueue.h"

#include <QMetaObject>

#include <utility>

// Queued invocation is safe from any thread: Qt posts an event to the context's thread.
void QtMessageQueue::Post(std::function<void()> task) {
    QMetaObject::invokeMethod(m_context, std::move(task), Qt::QueuedConnection);
}
