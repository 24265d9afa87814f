#include "view/CommandMap.h"

bool CommandMap::Run(int id) const {
    auto it = m_handlers.find(id);
    if (it == m_handlers.end()) {
        return false;
    }
    it->second();
    return true;
}
