#pragma once

#include "view/ViewPorts.h"

#include <optional>
#include <string>
#include <string_view>

// One line of a session script, parsed.
struct SessionLine {
    enum class Kind {
        Skip,
        Key,
        Command,
        Click,
        Wheel,
        Type,
        OriginalType,
        Caret,
        Focus,
        Buffers,
        Finish,
        Answer,
        File,
        State,
        Partition
    };
    Kind kind = Kind::Skip;
    // Key: the key as written; Type, OriginalType: the text (UTF-8, escapes resolved);
    // File: the path; Focus: "lw" or "orig".
    std::string text;
    KeyModifiers modifiers;
    long long number = 0;
    long long second = 0; // Partition: the loudness (number: the silence in quarter seconds)
    bool flag = false;    // Wheel: Shift held; Answer: yes
};

// Parses one line; nothing when the line cannot be parsed.
std::optional<SessionLine> ParseSessionLine(std::string_view line);
// A key written as in the accelerator table ("Ctrl+Alt+[", "Shift+Enter", "PageUp"):
// its modifiers, or nothing when it is not such a key.
std::optional<KeyModifiers> ParseKeyName(std::string_view key);
