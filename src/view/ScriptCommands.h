#pragma once

#include "view/StudyDialogPorts.h"

class CEarlarkMainView;
class CommandMap;

// Export Script (Alt+F8) and Import Script (Alt+F7): the texts of the listed sentences to a
// text file, and a text file's texts into the study's sentences.
class ScriptCommands {
public:
    explicit ScriptCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);
    void SetDialog(ScriptDialogPort* dialog) { m_dialog = dialog; }

    void Export();
    void Import();

private:
    bool Prepare();

    CEarlarkMainView& m_view;
    ScriptDialogPort* m_dialog = nullptr;
};
