#include "view/MenuModel.h"

namespace {

const MenuItem* FindIn(const std::vector<MenuItem>& items, int id) {
    for (const MenuItem& item : items) {
        if (item.id == id && id != 0) {
            return &item;
        }
        if (const MenuItem* found = FindIn(item.submenu, id)) {
            return found;
        }
    }
    return nullptr;
}

} // namespace

const MenuItem* MenuModel::Find(int id) const {
    return FindIn(items, id);
}
