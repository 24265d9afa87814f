#pragma once

#include "view/MenuModel.h"

class QAction;
class QMenu;

// Turns the view's menu models into Qt menus: "&" marks the mnemonic, the text after a
// tab is shown in the shortcut column (the keys themselves come from the accelerator
// table, not from the menu), checked items carry a check, and each command's action
// holds its command id.
class MenuBuilder {
public:
    static void Fill(QMenu& menu, const MenuModel& model);
    // The command of an action built here; 0 for none.
    static int CommandOf(const QAction* action);
};
