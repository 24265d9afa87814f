#pragma once

#include <optional>
#include <span>
#include <string_view>

// One key of the study form's accelerator table. Keys are written as the user reads them:
// modifiers in the order Ctrl, Alt, Shift, then the key ("F5", "Shift+Enter", "Ctrl+,",
// "Ctrl+Alt+[", "Ins", "PageUp", "Ctrl+Up").
struct Accelerator {
    std::string_view key;
    int command;
    // What the key does, as the hot-keys page lists it.
    std::string_view description;
};

class AcceleratorTable {
public:
    static std::span<const Accelerator> Entries();
    // The command of a key written as above; nothing for a key the table does not bind.
    static std::optional<int> Find(std::string_view key);
};
