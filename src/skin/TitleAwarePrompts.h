#pragma once

#include "platform/Prompts.h"

// Prompts that make way for the title picture: a message shown while the picture is up
// would sit behind it or vanish with it, so the picture's timer stops before the message
// and the picture closes once the message has been answered.
class TitleAwarePrompts : public Prompts {
public:
    explicit TitleAwarePrompts(Prompts& inner) : m_inner(inner) {}

    void ShowMessage(const std::string& text, PromptIcon icon = PromptIcon::Warning) override;
    PromptAnswer AskYesNo(const std::string& text) override;
    PromptAnswer AskYesNoDefaultNo(const std::string& text) override;
    PromptAnswer AskYesNoCancel(const std::string& text) override;

private:
    template <typename Ask> auto AroundPicture(Ask ask);

    Prompts& m_inner;
};
