#include "platform/ScriptedPrompts.h"

void ScriptedPrompts::ShowMessage(const std::string& text, PromptIcon) {
    m_messages.push_back(text);
}

PromptAnswer ScriptedPrompts::AskYesNo(const std::string& text) {
    m_questions.push_back(text);
    PromptAnswer answer = NextAnswer();
    return answer == PromptAnswer::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}

PromptAnswer ScriptedPrompts::AskYesNoCancel(const std::string& text) {
    m_questions.push_back(text);
    return NextAnswer();
}

void ScriptedPrompts::Clear() {
    m_answers.clear();
    m_messages.clear();
    m_questions.clear();
}

PromptAnswer ScriptedPrompts::NextAnswer() {
    if (m_answers.empty()) {
        return m_fallback;
    }
    PromptAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}
