#include "view/FontCommands.h"

#include "document/CEarlarkDoc.h"
#include "view/CEarlarkMainView.h"
#include "view/CommandMap.h"
#include "view/ViewCommandIds.h"

namespace {

// Colour commands and the entry of the document's colour table each one edits.
constexpr std::pair<int, int> kColorCommands[] = {
    {cmd::kListenWriteColor, 0}, {cmd::kListenWriteTextColor, 0}, {cmd::kListenWriteBackground, 1},
    {cmd::kOriginalColor, 2},    {cmd::kOriginalBackground, 3},
};

constexpr std::pair<int, std::uint8_t> kLanguages[] = {
    {cmd::kLanguageEnglish, 0},
    {cmd::kLanguageJapanese, 128},
    {cmd::kLanguageChineseSimplified, 134},
    {cmd::kLanguageChineseTraditional, 136},
    {cmd::kLanguageKorean, 129},
};

} // namespace

void FontCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kFont, [this] { ChooseFont(); });
    for (auto [id, index] : kColorCommands) {
        commands.Add(id, [this, index = index] { ChooseColor(index); });
    }
    for (auto [id, charSet] : kLanguages) {
        commands.Add(id, [this, charSet = charSet] { SetLanguage(charSet); });
    }
}

// The character set stays the study's language; the dialog does not choose it.
void FontCommands::ChooseFont() {
    CEarlarkDoc& doc = m_view.Doc();
    FontChoice initial{doc.m_strFontFace, doc.m_nFontHeight, doc.m_nFontStyle, doc.m_nCharSet};
    std::optional<FontChoice> chosen = m_view.Ports().form.ChooseFont(initial);
    if (!chosen) {
        return;
    }
    doc.m_strFontFace = chosen->face;
    doc.m_nFontHeight = chosen->height;
    doc.m_nFontStyle = chosen->style & 0xF;
    doc.SetModifiedFlag();
    m_view.ApplyFonts();
}

void FontCommands::ChooseColor(int colorIndex) {
    CEarlarkDoc& doc = m_view.Doc();
    std::optional<std::uint32_t> chosen = m_view.Ports().form.ChooseColor(doc.m_colors[colorIndex]);
    if (!chosen) {
        return;
    }
    doc.m_colors[colorIndex] = *chosen & 0x00FFFFFF;
    doc.SetModifiedFlag();
    m_view.ApplyFonts();
}

void FontCommands::SetLanguage(std::uint8_t charSet) {
    CEarlarkDoc& doc = m_view.Doc();
    doc.m_nCharSet = charSet;
    doc.SetModifiedFlag();
    const ViewPorts& ports = m_view.Ports();
    ports.listenWrite.SetCharSet(charSet);
    ports.original.SetCharSet(charSet);
    m_view.ApplyFonts();
    ports.list.RepaintAll();
    // The mask character of the Original Text depends on the language.
    m_view.ShowSentence();
}
