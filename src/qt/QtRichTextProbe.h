#pragma once

#include "app/StartupPorts.h"

// Checks that the rich-text edit control offers what the Listen-and-Write and Original Text
// boxes need: paragraphs, selections, per-character colours and undo.
class QtRichTextProbe : public RichTextProbe {
public:
    RichTextStatus Probe() override;
};
