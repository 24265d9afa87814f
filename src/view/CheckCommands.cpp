#include "view/CheckCommands.h"

#include "document/CEarlarkDoc.h"
#include "view/CEarlarkMainView.h"
#include "view/CommandMap.h"
#include "view/TextMask.h"
#include "view/ToggleCommands.h"
#include "view/TranscriptionCompare.h"
#include "view/ViewCommandIds.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kMaxHintLevel = 512;

// More letters of each word need more plays: one letter before 5 plays, two before 10,
// four before 15.
std::uint32_t CappedHintLevel(std::uint32_t level, std::uint32_t playCount) {
    if (playCount < 5) {
        level = 1;
    } else if (playCount < 10) {
        level = std::min<std::uint32_t>(level, 2);
    } else if (playCount < 15) {
        level = std::min<std::uint32_t>(level, 4);
    }
    return std::min(level, kMaxHintLevel);
}

} // namespace

void CheckCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kCheck, [this] { CheckTranscription(); });
    commands.Add(cmd::kHint, [this] { Hint(); });
    commands.Add(cmd::kCompareMode, [this] { CompareMode(); });
    commands.Add(cmd::kCompareOptions, [this] { CompareOptions(); });
}

void CheckCommands::CheckTranscription() {
    if (m_view.SentenceCount() == 0) {
        return;
    }
    ViewState& s = m_view.State();
    CEarlarkWaveSection* sentence = s.rows.At(s.m_curIndex);
    if (!sentence) {
        return;
    }
    m_view.CommitCurrentSentence();
    const ViewPorts& ports = m_view.Ports();
    if (sentence->m_strOriginal.empty()) {
        m_view.OnCommand(cmd::kNext);
        return;
    }
    if (!sentence->m_strListenWrite.empty()) {
        const std::uint32_t flags = m_view.Doc().m_nDisplayFlags;
        const int k = TranscriptionCompare::FindFirstMismatch(
            sentence->m_strListenWrite, sentence->m_strOriginal,
            {(flags & CEarlarkDoc::kCompareCase) != 0,
             (flags & CEarlarkDoc::kComparePunctuation) != 0});
        if (k == TranscriptionCompare::kMatch) {
            m_view.OnCommand(cmd::kNext);
            return;
        }
        ports.listenWrite.SetSelection(k, k + 1);
    }
    if (!s.m_showOriginal) {
        m_view.Toggles().ShowOriginal();
    }
    m_view.OnCommand(cmd::kPlay);
    ports.listenWrite.SetFocus();
}

void CheckCommands::Hint() {
    ViewState& s = m_view.State();
    CEarlarkWaveSection* sentence = s.rows.At(s.m_curIndex);
    if (!sentence || s.IsRangePlay()) {
        return;
    }
    sentence->m_nHintLevel = CappedHintLevel(sentence->m_nHintLevel + 1, sentence->m_nPlayCount);
    s.m_origText =
        TextMask::MaskOriginalText(*sentence, s.m_originalEditMode, m_view.Doc().m_nCharSet);
    m_view.Ports().original.SetText(s.m_origText);
    m_view.Doc().SetModifiedFlag();
}

void CheckCommands::CompareMode() {
    ViewState& s = m_view.State();
    s.m_compareMode = !s.m_compareMode;
    m_view.Ports().displays.SetButtonOn(cmd::kCompareMode, s.m_compareMode);
    m_view.WriteDisplayFlag(CEarlarkDoc::kCompareMode, s.m_compareMode);
}

void CheckCommands::CompareOptions() {
    CEarlarkDoc& doc = m_view.Doc();
    const CompareChoice initial{(doc.m_nDisplayFlags & CEarlarkDoc::kCompareCase) != 0,
                                (doc.m_nDisplayFlags & CEarlarkDoc::kComparePunctuation) != 0};
    const std::optional<CompareChoice> chosen = m_view.Ports().form.ChooseCompareOptions(initial);
    if (!chosen) {
        return;
    }
    doc.m_nDisplayFlags &= ~(CEarlarkDoc::kCompareCase | CEarlarkDoc::kComparePunctuation);
    if (chosen->caseSensitive) {
        doc.m_nDisplayFlags |= CEarlarkDoc::kCompareCase;
    }
    if (chosen->punctuation) {
        doc.m_nDisplayFlags |= CEarlarkDoc::kComparePunctuation;
    }
    doc.SetModifiedFlag();
}
