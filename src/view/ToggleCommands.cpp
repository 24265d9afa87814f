#include "view/ToggleCommands.h"

#include "document/CEarlarkDoc.h"
#include "platform/SettingsTable.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/TextMask.h"
#include "view/ViewCommandIds.h"

void ToggleCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kShowOriginal, [this] { ShowOriginal(); });
    commands.Add(cmd::kOriginalEditMode, [this] { OriginalEditMode(); });
    commands.Add(cmd::kAutoPlay, [this] { AutoPlay(); });
    commands.Add(cmd::kListenSpeak, [this] { ListenSpeak(); });
    commands.Add(cmd::kAlwaysOnTop, [this] { AlwaysOnTop(); });
    commands.Add(cmd::kPhrasePlay, [this] { PhrasePlay(); });
    commands.Add(cmd::kShowSentenceBox, [this] { ShowSentenceBox(); });
    commands.Add(cmd::kShowRepeatCount, [this] { ShowRepeatCount(); });
    commands.Add(cmd::kSpectrum, [this] { Spectrum(); });
}

void ToggleCommands::ShowOriginal() {
    ViewState& s = m_view.State();
    s.m_showOriginal = !s.m_showOriginal;
    m_view.WriteDisplayFlag(CEarlarkDoc::kShowOriginal, s.m_showOriginal);
    m_view.Ports().displays.SetButtonOn(cmd::kShowOriginal, s.m_showOriginal);
    m_view.LayoutPanes();
    m_view.Ports().form.Repaint();
}

void ToggleCommands::OriginalEditMode() {
    ViewState& s = m_view.State();
    if (s.m_clipPlaying || s.IsRangePlay() || m_view.SentenceCount() == 0) {
        return;
    }
    // Text typed into the Original Text box in editing mode belongs to the sentence before
    // the box turns read-only again.
    if (s.m_originalEditMode) {
        m_view.CommitCurrentSentence();
    }
    s.m_originalEditMode = !s.m_originalEditMode;
    m_view.WriteDisplayFlag(CEarlarkDoc::kOriginalEditing, s.m_originalEditMode);
    const ViewPorts& ports = m_view.Ports();
    if (s.m_curSentence) {
        s.m_origText = TextMask::MaskOriginalText(*s.m_curSentence, s.m_originalEditMode,
                                                  m_view.Doc().m_nCharSet);
        ports.original.SetText(s.m_origText);
    }
    ports.original.SetReadOnly(!s.m_originalEditMode);
    m_view.ApplyFonts();
}

void ToggleCommands::AutoPlay() {
    ViewState& s = m_view.State();
    s.m_autoPlay = !s.m_autoPlay;
    m_view.Ports().displays.SetButtonOn(cmd::kAutoPlay, s.m_autoPlay);
    m_view.WriteDisplayFlag(CEarlarkDoc::kAutoPlay, s.m_autoPlay);
    if (s.m_autoPlay && !s.m_playing) {
        m_view.OnCommand(cmd::kPlay);
    } else if (!s.m_autoPlay && s.m_playing) {
        m_view.Playback().Stop();
    }
}

void ToggleCommands::ListenSpeak() {
    ViewState& s = m_view.State();
    if (s.m_playing) {
        m_view.Playback().Stop();
    }
    s.m_listenSpeak = !s.m_listenSpeak;
    m_view.Ports().displays.SetButtonOn(cmd::kListenSpeak, s.m_listenSpeak);
    m_view.WriteDisplayFlag(CEarlarkDoc::kListenAndSpeak, s.m_listenSpeak);
}

void ToggleCommands::AlwaysOnTop() {
    ViewState& s = m_view.State();
    s.m_alwaysOnTop = !s.m_alwaysOnTop;
    m_view.Ports().form.SetTopmost(s.m_alwaysOnTop);
}

void ToggleCommands::PhrasePlay() {
    ViewState& s = m_view.State();
    s.m_phrasePlay = !s.m_phrasePlay;
    m_view.Ports().displays.SetButtonOn(cmd::kPhrasePlay, s.m_phrasePlay);
}

void ToggleCommands::ShowSentenceBox() {
    ViewState& s = m_view.State();
    s.m_listShown = !s.m_listShown;
    m_view.LayoutPanes();
    m_view.Ports().form.Repaint();
}

void ToggleCommands::ShowRepeatCount() {
    ViewState& s = m_view.State();
    s.m_showRepeatCount = !s.m_showRepeatCount;
    m_view.Ports().list.SetShowRepeatCount(s.m_showRepeatCount);
    m_view.Ports().list.RepaintAll();
}

// Written at once: the setting is the program's, not the study's. The display clears at
// the next finished buffer.
void ToggleCommands::Spectrum() {
    ViewState& s = m_view.State();
    s.m_spectrumOn = !s.m_spectrumOn;
    settings::kSpectrum.Write(m_view.Ports().settings, s.m_spectrumOn ? 1 : 0);
}
