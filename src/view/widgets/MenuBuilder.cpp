#include "view/widgets/MenuBuilder.h"

#include <QAction>
#include <QMenu>

namespace {

void AddItems(QMenu& menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            menu.addSeparator();
        } else if (item.id == 0) {
            AddItems(*menu.addMenu(QString::fromStdString(item.text)), item.submenu);
        } else {
            QAction* action = menu.addAction(QString::fromStdString(item.text));
            action->setData(item.id);
            action->setCheckable(item.checked);
            action->setChecked(item.checked);
        }
    }
}

} // namespace

void MenuBuilder::Fill(QMenu& menu, const MenuModel& model) {
    AddItems(menu, model.items);
}

int MenuBuilder::CommandOf(const QAction* action) {
    return action ? action->data().toInt() : 0;
}
