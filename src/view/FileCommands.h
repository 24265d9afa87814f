#pragma once

class CEarlarkMainView;
class CommandMap;

// Saving the study, importing a recording and replacing (locating) it, as the form
// routes them.
class FileCommands {
public:
    explicit FileCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    void Save();
    void SaveAs();
    void ImportAudio();
    void ReplaceAudio();

private:
    CEarlarkMainView& m_view;
};
