#pragma once

#include "platform/Prompts.h"

class QWidget;

// Message boxes titled with the application title, parented to the main window when there
// is one.
class QtPrompts : public Prompts {
public:
    void SetParent(QWidget* parent) { m_parent = parent; }

    void ShowMessage(const std::string& text, PromptIcon icon = PromptIcon::Warning) override;
    PromptAnswer AskYesNo(const std::string& text) override;
    PromptAnswer AskYesNoDefaultNo(const std::string& text) override;
    PromptAnswer AskYesNoCancel(const std::string& text) override;

private:
    QWidget* m_parent = nullptr;
};
