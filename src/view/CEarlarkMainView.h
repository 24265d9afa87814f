#pragma once

#include "audio/PlayerListener.h"
#include "document/DocumentHost.h"
#include "view/CommandMap.h"
#include "view/StudyDialogPorts.h"
#include "view/ViewPorts.h"
#include "view/ViewState.h"

#include <memory>
#include <optional>
#include <string>

class CAudioFileCommand;
class StudyAudio;
class CEarlarkDoc;
class CEarlarkWaveSection;
class CPlaybackController;
class CheckCommands;
class GroupCommands;
class TextCommands;
class DictionaryCommands;
class FileCommands;
class FontCommands;
class FragmentCommands;
class ListModeCommands;
class MenuCommands;
class NavigationCommands;
class PlaySettingCommands;
class SeekCommands;
class PartitionCommands;
class ScriptCommands;
class ToggleCommands;
class SubtitleCommands;
class ExportCommands;

// The study view's state machine: the current sentence, the list and its modes, the play
// state, and the handlers of every command of the study form. It knows no widgets: it
// works through the ports, so the same object runs in the window and headless.
class CEarlarkMainView : public PlayerListener, public DocumentView {
public:
    // Becomes the document's view and the player's listener for as long as it lives.
    CEarlarkMainView(CEarlarkDoc& doc, StudyAudio& audio, const ViewPorts& ports);
    ~CEarlarkMainView() override;
    CEarlarkMainView(const CEarlarkMainView&) = delete;
    CEarlarkMainView& operator=(const CEarlarkMainView&) = delete;

    void SetObserver(ViewObserver* observer) { m_observer = observer; }
    // Every later initial update seeds the random list order with this value instead of
    // the tick count, so that runs repeat.
    void SetRandomSeed(std::uint32_t seed);
    ViewObserver* Observer() const { return m_observer; }
    // The dialogs of the partition and script commands; a command without its dialog ends
    // as if it had been cancelled.
    void SetStudyDialogs(const StudyDialogPorts& dialogs);

    // Loads the document into the list and the boxes (every new or opened study).
    void OnInitialUpdate();
    // A command of a button, key or menu item. Commands the view does not handle go on to
    // the frame and the application.
    void OnCommand(int id, KeyModifiers modifiers = {});
    bool HandlesCommand(int id) const { return m_commands.Contains(id); }
    // The user selected a list row (a click): it becomes current and plays.
    void OnListSelect(int row);
    // One mouse-wheel message over the view or either box.
    void OnWheel(int delta, bool shift);
    // The form's client area changed size.
    void OnSize();
    // The view goes away: writes the "Options" setting.
    void OnDestroy();

    // Operations the command classes and later features share.
    void ShowSentence();
    void CommitBoxTexts(CEarlarkWaveSection* record);
    void ApplyFonts();
    void LayoutPanes();
    // The number of list rows; an empty list offers to choose an audio file first.
    int SentenceCount();
    // True when the output device is open, opening the study's audio when it is not.
    bool AudioReady();
    // One sentence from 0 to the end of the recording, appended (or, with Shift held, put
    // at the top) and made current. Does not mark the study modified.
    bool AddWholeRecordingSentence();
    // Commits the boxes into the current sentence and repaints its row.
    void CommitCurrentSentence();
    // Repaints the row showing this record, if it is listed.
    void RepaintRecordRow(const CEarlarkWaveSection* record);
    // Sets a display-flag bit of the document and marks it modified.
    void WriteDisplayFlag(std::uint32_t bit, bool on);
    // Dissolves a sentence group (its texts reach the sentences by splitting members off).
    void EndRangePlay();
    // The counter display from the current position and row count.
    void ShowCounter();

    // DocumentView
    void ClearSentenceList() override;
    void CommitPendingEdits() override;

    // PlayerListener
    void OnOutputBufferDone(WaveOutBuffer* buffer) override;
    void OnRangeFinished() override;

    ViewState& State() { return m_state; }
    const ViewState& State() const { return m_state; }
    CEarlarkDoc& Doc() { return m_doc; }
    const CEarlarkDoc& Doc() const { return m_doc; }
    StudyAudio& Audio() { return m_audio; }
    const ViewPorts& Ports() const { return m_ports; }
    CommandMap& Commands() { return m_commands; }
    CPlaybackController& Playback() { return *m_playback; }
    ListModeCommands& ListModes() { return *m_listModes; }
    ToggleCommands& Toggles() { return *m_toggles; }
    FragmentCommands& Fragments() { return *m_fragments; }
    // The Mini-Dictionary requests, LookUpWord among them.
    DictionaryCommands& Dictionary() { return *m_dictionary; }

private:
    void LoadSwitches();
    void ShowSettingDisplays();
    void ShowToggleButtons();
    void ShowClipButton(const CEarlarkWaveSection& sentence);
    void SetTimeDisplay(std::uint32_t value);

    CEarlarkDoc& m_doc;
    StudyAudio& m_audio;
    ViewPorts m_ports;
    ViewObserver* m_observer = nullptr;
    ViewState m_state;
    CommandMap m_commands;
    bool m_firstUpdateDone = false;
    std::optional<std::uint32_t> m_fixedSeed;

    std::unique_ptr<CPlaybackController> m_playback;
    std::unique_ptr<NavigationCommands> m_navigation;
    std::unique_ptr<ToggleCommands> m_toggles;
    std::unique_ptr<FontCommands> m_fonts;
    std::unique_ptr<ListModeCommands> m_listModes;
    std::unique_ptr<MenuCommands> m_menus;
    std::unique_ptr<FileCommands> m_files;
    std::unique_ptr<TextCommands> m_texts;
    std::unique_ptr<GroupCommands> m_groups;
    std::unique_ptr<CheckCommands> m_checks;
    std::unique_ptr<FragmentCommands> m_fragments;
    std::unique_ptr<PlaySettingCommands> m_playSettings;
    std::unique_ptr<SeekCommands> m_seek;
    std::unique_ptr<DictionaryCommands> m_dictionary;
    std::unique_ptr<PartitionCommands> m_partition;
    std::unique_ptr<ScriptCommands> m_scripts;
    std::unique_ptr<SubtitleCommands> m_subtitles;
    std::unique_ptr<ExportCommands> m_exports;
};
