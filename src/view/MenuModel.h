#pragma once

#include <string>
#include <vector>

// A popup menu as the view builds it; the window layer shows it. Texts carry the "&"
// mnemonic and a "\t" before the key, as the menus are written.
struct MenuItem {
    int id = 0; // 0 for a separator or a submenu
    std::string text;
    bool checked = false;
    std::vector<MenuItem> submenu;

    bool IsSeparator() const { return id == 0 && text.empty(); }
};

struct MenuModel {
    std::vector<MenuItem> items;

    // The item with this id anywhere in the menu, or nullptr.
    const MenuItem* Find(int id) const;
};
