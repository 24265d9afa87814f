#pragma once

class CEarlarkMainView;
class CommandMap;

// The view's switches: Show Original Text, Original Text Editing Mode, auto-play,
// listen-and-speak, Always On Top, phrase play, the sentence box and the repetition count.
class ToggleCommands {
public:
    explicit ToggleCommands(CEarlarkMainView& view) : m_view(view) {}
    void Register(CommandMap& commands);

    void ShowOriginal();
    void OriginalEditMode();
    void AutoPlay();
    void ListenSpeak();
    void AlwaysOnTop();
    void PhrasePlay();
    void ShowSentenceBox();
    void ShowRepeatCount();
    void Spectrum();

private:
    CEarlarkMainView& m_view;
};
