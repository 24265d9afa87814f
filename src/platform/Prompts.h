#pragma once

#include <string>

// Message boxes and questions, as the core asks them. The GUI shows real message boxes;
// tests and earlark-tool answer from a script.
enum class PromptIcon { Information, Warning, Error, Question };
enum class PromptAnswer { Ok, Yes, No, Cancel };

class Prompts {
public:
    virtual ~Prompts() = default;

    virtual void ShowMessage(const std::string& text, PromptIcon icon = PromptIcon::Warning) = 0;
    // Yes or No.
    virtual PromptAnswer AskYesNo(const std::string& text) = 0;
    // Yes or No, with No as the default button (Enter alone does not confirm).
    virtual PromptAnswer AskYesNoDefaultNo(const std::string& text) { return AskYesNo(text); }
    // Yes, No or Cancel.
    virtual PromptAnswer AskYesNoCancel(const std::string& text) = 0;
};
