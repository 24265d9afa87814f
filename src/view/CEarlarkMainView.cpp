#include "view/CEarlarkMainView.h"

#include "app/StudyAudio.h"
#include "document/CEarlarkDoc.h"
#include "import/CAudioFileCommand.h"
#include "import/ImportMessages.h"
#include "platform/Prompts.h"
#include "platform/SettingsTable.h"
#include "view/CPlaybackController.h"
#include "view/CheckCommands.h"
#include "view/DictionaryCommands.h"
#include "view/FileCommands.h"
#include "view/FontCommands.h"
#include "view/GroupCommands.h"
#include "view/ListModeCommands.h"
#include "view/MenuCommands.h"
#include "view/NavigationCommands.h"
#include "view/TextCommands.h"
#include "view/FragmentCommands.h"
#include "view/PlaySettingCommands.h"
#include "view/SeekCommands.h"
#include "view/ExportCommands.h"
#include "view/PartitionCommands.h"
#include "view/ScriptCommands.h"
#include "view/TextMask.h"
#include "view/ToggleCommands.h"
#include "view/SubtitleCommands.h"
#include "view/ViewCommandIds.h"
#include "view/ViewMessages.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {

constexpr std::uint32_t kBlankTime = 0xFFFFFFFFu;
constexpr int kOptionAlwaysOnTop = 1;
constexpr int kOptionRepeatCount = 2;

std::uint32_t TickCount() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

} // namespace

CEarlarkMainView::CEarlarkMainView(CEarlarkDoc& doc, StudyAudio& audio, const ViewPorts& ports)
    : m_doc(doc), m_audio(audio), m_ports(ports),
      m_playback(std::make_unique<CPlaybackController>(*this)),
      m_navigation(std::make_unique<NavigationCommands>(*this)),
      m_toggles(std::make_unique<ToggleCommands>(*this)),
      m_fonts(std::make_unique<FontCommands>(*this)),
      m_listModes(std::make_unique<ListModeCommands>(*this)),
      m_menus(std::make_unique<MenuCommands>(*this)),
      m_files(std::make_unique<FileCommands>(*this)),
      m_texts(std::make_unique<TextCommands>(*this)),
      m_groups(std::make_unique<GroupCommands>(*this)),
      m_checks(std::make_unique<CheckCommands>(*this)),
      m_fragments(std::make_unique<FragmentCommands>(*this)),
      m_playSettings(std::make_unique<PlaySettingCommands>(*this)),
      m_seek(std::make_unique<SeekCommands>(*this)),
      m_dictionary(std::make_unique<DictionaryCommands>(*this)),
      m_partition(std::make_unique<PartitionCommands>(*this)),
      m_scripts(std::make_unique<ScriptCommands>(*this)),
      m_subtitles(std::make_unique<SubtitleCommands>(*this)),
      m_exports(std::make_unique<ExportCommands>(*this)) {
    m_navigation->Register(m_commands);
    m_toggles->Register(m_commands);
    m_fonts->Register(m_commands);
    m_listModes->Register(m_commands);
    m_menus->Register(m_commands);
    m_files->Register(m_commands);
    m_texts->Register(m_commands);
    m_groups->Register(m_commands);
    m_checks->Register(m_commands);
    m_playback->Register(m_commands);
    m_fragments->Register(m_commands);
    m_playSettings->Register(m_commands);
    m_seek->Register(m_commands);
    m_dictionary->Register(m_commands);
    m_partition->Register(m_commands);
    m_scripts->Register(m_commands);
    m_subtitles->Register(m_commands);
    m_exports->Register(m_commands);
    m_commands.Add(cmd::kUnbound, [] {});
    m_doc.SetView(this);
    m_audio.SetView(this, [this] { return AddWholeRecordingSentence(); });
}

CEarlarkMainView::~CEarlarkMainView() {
    m_audio.SetView(nullptr, nullptr);
    m_doc.SetView(nullptr);
}

void CEarlarkMainView::SetStudyDialogs(const StudyDialogPorts& dialogs) {
    m_partition->SetDialog(dialogs.autoPartition);
    m_scripts->SetDialog(dialogs.scripts);
    m_exports->SetDialog(dialogs.mp3Export);
}

void CEarlarkMainView::SetRandomSeed(std::uint32_t seed) {
    m_fixedSeed = seed;
}

void CEarlarkMainView::OnInitialUpdate() {
    m_state.m_initialising = true;
    m_state.random.Seed(m_fixedSeed ? *m_fixedSeed : TickCount());
    m_doc.m_player.ResetOutput();
    if (!m_firstUpdateDone) {
        m_firstUpdateDone = true;
        m_ports.listenWrite.SetText({});
        m_ports.original.SetText({});
    }
    LoadSwitches();
    ApplyFonts();
    ShowSettingDisplays();

    m_state.rows.Clear();
    m_ports.list.RowsChanged();
    m_state.m_curIndex = -1;
    m_state.m_prevIndex = -1;
    m_state.m_curSentence = nullptr;
    m_state.m_lwText.clear();
    m_state.m_origText.clear();
    m_ports.listenWrite.SetText({});
    m_ports.original.SetText({});

    ShowToggleButtons();
    // A study made by importing a recording takes it now; an empty study gets its
    // whole-recording sentence.
    m_audio.Command().ConsumePendingNewStudyAudio();
    LayoutPanes();
    m_listModes->ShowAll();
    m_state.m_initialising = false;
}

void CEarlarkMainView::LoadSwitches() {
    ViewState& s = m_state;
    s.m_playMode = PlayItem::kSentencePlay;
    s.m_rangeKind = 0;
    s.m_groupFirst = s.m_groupLast = -1;
    s.m_playing = false;
    s.m_paused = false;
    s.m_clipPlaying = false;
    s.m_phrasePlay = false;
    s.m_highlightedOnly = false;
    s.m_randomOrder = false;
    s.m_playQueue.clear();
    s.m_queuePos = 0;
    const std::uint32_t flags = m_doc.m_nDisplayFlags;
    s.m_autoPlay = (flags & CEarlarkDoc::kAutoPlay) != 0;
    s.m_compareMode = (flags & CEarlarkDoc::kCompareMode) != 0;
    s.m_listenSpeak = (flags & CEarlarkDoc::kListenAndSpeak) != 0;
    s.m_originalEditMode = (flags & CEarlarkDoc::kOriginalEditing) != 0;
    s.m_showOriginal = (flags & CEarlarkDoc::kShowOriginal) != 0;
    s.m_spectrumOn = settings::kSpectrum.Read(m_ports.settings) != 0;
    const int options = settings::kOptions.Read(m_ports.settings);
    s.m_alwaysOnTop = (options & kOptionAlwaysOnTop) != 0;
    s.m_showRepeatCount = (options & kOptionRepeatCount) != 0;
    m_ports.original.SetReadOnly(!s.m_originalEditMode);
    m_ports.list.SetShowRepeatCount(s.m_showRepeatCount);
    m_ports.form.SetTopmost(s.m_alwaysOnTop);
}

void CEarlarkMainView::ShowSettingDisplays() {
    DisplayPort& d = m_ports.displays;
    m_state.m_timeShown = 0;
    d.SetTime(0, 0);
    d.SetCounter(0, 0);
    d.SetRepetitions(m_doc.m_nRepeat);
    d.SetInterval(m_doc.m_nInterval);
    d.SetSpeed(m_doc.m_nSpeed);
    d.SetSpectrum({});
    m_playback->ApplyVolume();
}

void CEarlarkMainView::ShowToggleButtons() {
    DisplayPort& d = m_ports.displays;
    d.SetButtonOn(cmd::kShowOriginal, m_state.m_showOriginal);
    d.SetButtonOn(cmd::kAutoPlay, m_state.m_autoPlay);
    d.SetButtonOn(cmd::kCompareMode, m_state.m_compareMode);
    d.SetButtonOn(cmd::kListenSpeak, m_state.m_listenSpeak);
    d.SetButtonOn(cmd::kPhrasePlay, m_state.m_phrasePlay);
}

void CEarlarkMainView::OnCommand(int id, KeyModifiers modifiers) {
    const int outerCommand = m_state.m_currentCommand;
    const bool outerShift = m_state.m_shiftDown;
    m_state.m_currentCommand = id;
    m_state.m_shiftDown = modifiers.shift;
    const bool handled = m_commands.Run(id);
    m_state.m_currentCommand = outerCommand;
    m_state.m_shiftDown = outerShift;
    if (!handled) {
        m_ports.form.SendFrameCommand(id);
    }
}

void CEarlarkMainView::OnListSelect(int row) {
    if (row < 0 || row >= m_state.rows.Count()) {
        return;
    }
    m_state.m_curIndex = row;
    m_state.m_playing = true;
    ShowSentence();
}

void CEarlarkMainView::OnWheel(int delta, bool shift) {
    m_seek->Wheel(delta, shift);
}

void CEarlarkMainView::OnSize() {
    LayoutPanes();
}

void CEarlarkMainView::OnDestroy() {
    int options = 0;
    if (m_state.m_alwaysOnTop) {
        options |= kOptionAlwaysOnTop;
    }
    if (m_state.m_showRepeatCount) {
        options |= kOptionRepeatCount;
    }
    settings::kOptions.Write(m_ports.settings, options);
    m_doc.m_player.CloseOutput();
}

void CEarlarkMainView::ShowSentence() {
    ViewState& s = m_state;
    if (s.rows.IsEmpty()) {
        s.m_curIndex = s.m_prevIndex = -1;
        s.m_curSentence = nullptr;
        return;
    }
    if (s.m_compareMode && s.m_showOriginal) {
        m_toggles->ShowOriginal();
    }
    if (s.IsRangePlay()) {
        const bool playing = s.m_playing;
        EndRangePlay();
        s.m_playing = playing;
    }
    s.m_curIndex = std::clamp(s.m_curIndex, 0, s.rows.Count() - 1);
    m_ports.list.SetCurSel(s.m_curIndex);
    if (CEarlarkWaveSection* previous = s.rows.At(s.m_prevIndex)) {
        CommitBoxTexts(previous);
        m_ports.list.RepaintRow(s.m_prevIndex);
    }
    CEarlarkWaveSection& sentence = *s.rows.At(s.m_curIndex);
    s.m_lwText = sentence.m_strListenWrite;
    s.m_origText = TextMask::MaskOriginalText(sentence, s.m_originalEditMode, m_doc.m_nCharSet);
    m_ports.listenWrite.SetText(s.m_lwText);
    m_ports.original.SetText(s.m_origText);
    m_ports.displays.SetButtonOn(cmd::kHighlight, sentence.IsHighlighted());
    ShowClipButton(sentence);
    SetTimeDisplay(s.m_clipPlaying ? kBlankTime : sentence.m_nStart - s.m_timeOrigin);
    ShowCounter();
    s.m_curSentence = &sentence;
    if (s.m_playing) {
        m_playback->PlayShownSentence();
    }
    s.m_prevIndex = s.m_curIndex;
    m_doc.m_nCurSentence = s.m_curIndex;
    m_ports.listenWrite.SetFocus();
}

void CEarlarkMainView::ShowClipButton(const CEarlarkWaveSection& sentence) {
    const bool hasClip = sentence.m_nClipStart != 0 || sentence.m_nClipEnd != 0;
    m_ports.displays.ShowButton(cmd::kPlayClip, hasClip);
}

void CEarlarkMainView::SetTimeDisplay(std::uint32_t value) {
    m_state.m_timeShown = value;
    const std::uint32_t bytesPerSecond =
        m_doc.m_player.IsWaveFileOpen() ? m_doc.m_player.Format().avgBytesPerSec : 0;
    m_ports.displays.SetTime(value, bytesPerSecond);
}

void CEarlarkMainView::ShowCounter() {
    m_ports.displays.SetCounter(m_state.m_curIndex + 1, m_state.rows.Count());
}

// A group cannot outlive a move to another sentence, a list rebuild or a save: it is
// dissolved, its members' texts split off into their sentences.
void CEarlarkMainView::EndRangePlay() {
    if (m_state.HasGroup()) {
        m_groups->Dissolve();
    }
}

void CEarlarkMainView::CommitBoxTexts(CEarlarkWaveSection* record) {
    if (!record) {
        return;
    }
    m_state.m_lwText = m_ports.listenWrite.Text();
    if (m_state.m_lwText != record->m_strListenWrite) {
        record->m_strListenWrite = m_state.m_lwText;
        m_doc.SetModifiedFlag();
    }
    if (m_state.m_originalEditMode) {
        m_state.m_origText = m_ports.original.Text();
        if (m_state.m_origText != record->m_strOriginal) {
            record->m_strOriginal = m_state.m_origText;
            m_doc.SetModifiedFlag();
        }
    }
}

void CEarlarkMainView::CommitCurrentSentence() {
    if (CEarlarkWaveSection* record = m_state.rows.At(m_state.m_prevIndex)) {
        CommitBoxTexts(record);
        m_ports.list.RepaintRow(m_state.m_prevIndex);
    }
}

// A group's text reaches its sentences by dissolving the group, as Save does.
void CEarlarkMainView::CommitPendingEdits() {
    if (m_state.HasGroup()) {
        EndRangePlay();
    } else {
        CommitCurrentSentence();
    }
}

void CEarlarkMainView::RepaintRecordRow(const CEarlarkWaveSection* record) {
    const int row = m_state.rows.Find(record);
    if (row >= 0) {
        m_ports.list.RepaintRow(row);
    }
}

void CEarlarkMainView::ApplyFonts() {
    const CEarlarkDoc& d = m_doc;
    m_ports.list.SetFont(d.m_strFontFace, d.m_nCharSet);
    m_ports.list.RepaintAll();
    BoxFont font{d.m_nCharSet,   d.m_strFontFace, d.m_nFontHeight,
                 d.m_nFontStyle, d.m_colors[0],   d.m_colors[1]};
    m_ports.listenWrite.SetFont(font);
    const int text = m_state.m_originalEditMode ? 4 : 2;
    font.textColor = d.m_colors[text];
    font.backColor = d.m_colors[text + 1];
    m_ports.original.SetFont(font);
}

void CEarlarkMainView::LayoutPanes() {
    FormPort& form = m_ports.form;
    form.SetPaneLayout(PaneLayout::Compute(form.ClientWidth(), form.ClientHeight(), form.Margins(),
                                           m_state.m_listShown, m_state.m_showOriginal));
}

void CEarlarkMainView::WriteDisplayFlag(std::uint32_t bit, bool on) {
    if (on) {
        m_doc.m_nDisplayFlags |= bit;
    } else {
        m_doc.m_nDisplayFlags &= ~bit;
    }
    m_doc.SetModifiedFlag();
}

int CEarlarkMainView::SentenceCount() {
    if (m_state.rows.IsEmpty() && !m_state.m_initialising &&
        m_state.m_currentCommand != cmd::kLocateAudio) {
        if (m_ports.prompts.AskYesNo(import_messages::kNoAudioFile) == PromptAnswer::Yes) {
            m_ports.form.PostCommand(cmd::kLocateAudio);
        }
    }
    return m_state.rows.Count();
}

bool CEarlarkMainView::AudioReady() {
    // A request to add the whole-recording sentence may find the list empty: that is
    // what it is about to fill, so it neither fails nor asks for an audio file.
    const bool allowEmpty = m_state.m_allowEmptyOnce;
    m_state.m_allowEmptyOnce = false;
    if (!allowEmpty && SentenceCount() == 0) {
        return false;
    }
    if (m_doc.m_player.IsOutputOpen()) {
        return true;
    }
    const std::string path = m_doc.GetAudioPath();
    if (m_audio.Command().OpenAudioForPlayback(path, m_doc.m_nSpeed)) {
        return true;
    }
    if (m_audio.Import().LastConversionCancelled()) {
        // The user stopped the conversion: nothing went wrong that needs saying.
    } else if (path.empty()) {
        m_ports.prompts.ShowMessage(view_messages::kAudioDeleted, PromptIcon::Warning);
    } else {
        const std::string format = view_messages::kCannotOpenDevice;
        const std::size_t at = format.find("%s");
        m_ports.prompts.ShowMessage(format.substr(0, at) + path + format.substr(at + 2),
                                    PromptIcon::Warning);
    }
    return false;
}

bool CEarlarkMainView::AddWholeRecordingSentence() {
    ViewState& s = m_state;
    if (!m_doc.CanAddSentences(s.rows.Count())) {
        return false;
    }
    s.m_allowEmptyOnce = true;
    // A recording without a byte of data has no range to make a sentence of.
    if (!AudioReady() || m_doc.m_player.DataSize() == 0) {
        return false;
    }
    auto whole = std::make_unique<CEarlarkWaveSection>();
    whole->m_nEnd = m_doc.m_player.DataSize() - 1;
    whole->m_nFlags = CEarlarkWaveSection::kWholeRecording;
    if (s.m_shiftDown) {
        s.rows.Insert(0, m_doc.m_sections.InsertAt(0, std::move(whole)));
        s.m_curIndex = 0;
        // The rows below moved down one place.
        if (s.m_prevIndex >= 0) {
            ++s.m_prevIndex;
        }
    } else {
        s.rows.Add(m_doc.m_sections.Add(std::move(whole)));
        s.m_curIndex = s.rows.Count() - 1;
    }
    m_ports.list.RowsChanged();
    ShowSentence();
    return true;
}

void CEarlarkMainView::ClearSentenceList() {
    m_state.rows.Clear();
    m_state.m_curIndex = m_state.m_prevIndex = -1;
    m_state.m_curSentence = nullptr;
    m_ports.list.RowsChanged();
}

void CEarlarkMainView::OnOutputBufferDone(WaveOutBuffer* buffer) {
    m_playback->OnBufferDone(buffer);
}

void CEarlarkMainView::OnRangeFinished() {
    if (m_observer) {
        m_observer->OnRangeFinished();
    }
    m_playback->OnRangeFinished();
}
