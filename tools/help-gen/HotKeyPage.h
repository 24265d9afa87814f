#pragma once

#include "view/AcceleratorTable.h"

#include <span>
#include <string>

// The hot-keys section of the help: every key of the accelerator table that does
// something, grouped by what it is for, as an HTML fragment whose target is "#hotkeys".
// Each key sits in its own <span class="key">, so that a reader (or a test) can take the
// keys back out of the page.
class HotKeyPage {
public:
    static std::string Render(std::span<const Accelerator> entries);
    // The text written for a key: "Ctrl+Shift+," becomes
    // <kbd>Ctrl</kbd>+<kbd>Shift</kbd>+<kbd>,</kbd>.
    static std::string RenderKey(std::string_view key);
    static std::string Escape(std::string_view text);
};
