#pragma once

#include "view/ViewPorts.h"

#include <functional>
#include <map>

// The view's message map: command id to handler. Each command class of the view adds the
// commands it owns.
class CommandMap {
public:
    using Handler = std::function<void()>;

    void Add(int id, Handler handler) { m_handlers[id] = std::move(handler); }
    bool Contains(int id) const { return m_handlers.count(id) != 0; }
    // Runs the handler; false when no handler is registered for the id.
    bool Run(int id) const;

private:
    std::map<int, Handler> m_handlers;
};
