#pragma once

#include "platform/Prompts.h"

#include <deque>
#include <string>
#include <vector>

// Prompts answered from a queue of scripted answers; every text shown is recorded.
// With no answer queued, questions are answered with the fallback (Cancel by default).
class ScriptedPrompts : public Prompts {
public:
    void ShowMessage(const std::string& text, PromptIcon icon = PromptIcon::Warning) override;
    PromptAnswer AskYesNo(const std::string& text) override;
    PromptAnswer AskYesNoCancel(const std::string& text) override;

    void QueueAnswer(PromptAnswer answer) { m_answers.push_back(answer); }
    void SetFallback(PromptAnswer answer) { m_fallback = answer; }

    const std::vector<std::string>& Messages() const { return m_messages; }
    const std::vector<std::string>& Questions() const { return m_questions; }
    void Clear();

private:
    PromptAnswer NextAnswer();

    std::deque<PromptAnswer> m_answers;
    PromptAnswer m_fallback = PromptAnswer::Cancel;
    std::vector<std::string> m_messages;
    std::vector<std::string> m_questions;
};
