#pragma once

class CEarlarkMainView;
class CommandMap;

// Checking the transcription against the Original Text: the check itself (Alt+Enter, and
// Enter in Compare Mode), hints, Compare Mode and the comparison options.
class CheckCommands {
public:
    explicit CheckCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    void CheckTranscription();
    void Hint();
    void CompareMode();
    void CompareOptions();

private:
    CEarlarkMainView& m_view;
};
