#include "view/MenuCommands.h"

#include "document/CEarlarkDoc.h"
#include "view/CEarlarkMainView.h"
#include "view/CPlaybackController.h"
#include "view/CommandMap.h"
#include "view/ViewCommandIds.h"

namespace {

MenuItem Item(int id, std::string text, bool checked = false) {
    return MenuItem{id, std::move(text), checked, {}};
}

MenuItem Submenu(std::string text, std::vector<MenuItem> items) {
    return MenuItem{0, std::move(text), false, std::move(items)};
}

int ListModeCommand(const ViewState& s) {
    return s.m_highlightedOnly ? cmd::kListHighlighted
           : s.m_randomOrder   ? cmd::kListRandom
                               : cmd::kListAll;
}

int LanguageCommand(std::uint8_t charSet) {
    switch (charSet) {
    case 0:
        return cmd::kLanguageEnglish;
    case 128:
        return cmd::kLanguageJapanese;
    case 129:
        return cmd::kLanguageKorean;
    case 134:
        return cmd::kLanguageChineseSimplified;
    case 136:
        return cmd::kLanguageChineseTraditional;
    default:
        return 0;
    }
}

} // namespace

void MenuCommands::Register(CommandMap& commands) {
    commands.Add(cmd::kMenu, [this] {
        m_view.Playback().Stop();
        m_view.EndRangePlay();
        Popup(MainMenu(), cmd::kMenu);
    });
    commands.Add(cmd::kOpenButton, [this] {
        m_view.Playback().Stop();
        Popup(OpenMenu(), cmd::kOpenButton);
    });
    commands.Add(cmd::kAboutButton, [this] {
        m_view.Playback().Stop();
        Popup(AboutMenu(), cmd::kAboutButton);
    });
    commands.Add(cmd::kLogo, [this] { m_view.Ports().form.OpenUrl(kMakerWebPage); });
}

void MenuCommands::Popup(const MenuModel& menu, int belowControlId) {
    if (std::optional<int> chosen = m_view.Ports().form.PopupMenu(menu, belowControlId)) {
        m_view.OnCommand(*chosen);
    }
}

std::string MenuCommands::LanguageName(std::uint8_t charSet) {
    switch (charSet) {
    case 0:
        return "English";
    case 128:
        return "Japanese";
    case 129:
        return "Korean";
    case 134:
        return "Chinese[Simplified]";
    case 136:
        return "Chinese[Traditional]";
    default:
        return {};
    }
}

MenuModel MenuCommands::MainMenu() const {
    const ViewState& s = m_view.State();
    const int listMode = ListModeCommand(s);
    const int language = LanguageCommand(m_view.Doc().m_nCharSet);
    MenuModel menu;
    menu.items = {
        Submenu("&View Options",
                {Item(cmd::kListAll, "Shaw &All Sentences", listMode == cmd::kListAll),
                 Item(cmd::kListHighlighted, "Show &Highlighted Sentences Only",
                      listMode == cmd::kListHighlighted),
                 Item(cmd::kListRandom, "Show Sentences In &Random Order",
                      listMode == cmd::kListRandom),
                 Item(cmd::kShowSentenceBox, "Show/Hide Sentence Box\tAlt+V")}),
        Submenu("&Languages",
                {Item(cmd::kLanguageEnglish, "&English", language == cmd::kLanguageEnglish),
                 Item(cmd::kLanguageJapanese, "&Japanese", language == cmd::kLanguageJapanese),
                 Item(cmd::kLanguageChineseSimplified, "Chinese[&Simplified]",
                      language == cmd::kLanguageChineseSimplified),
                 Item(cmd::kLanguageChineseTraditional, "Chinese[&Traditional]",
                      language == cmd::kLanguageChineseTraditional),
                 Item(cmd::kLanguageKorean, "&Korean", language == cmd::kLanguageKorean)}),
        Submenu("&Font Setup",
                {Item(cmd::kFont, LanguageName(m_view.Doc().m_nCharSet) + " Fon&t..."),
                 Item(cmd::kListenWriteColor, "Listen-and-Write &Font..."),
                 Item(cmd::kListenWriteBackground, "Listen-and-Write &Background..."),
                 Item(cmd::kOriginalColor, "&Original Text Font..."),
                 Item(cmd::kOriginalBackground, "Original Text Bac&kground...")}),
        Submenu("Import/Export &Script",
                {Item(cmd::kImportScriptMenu, "&Import Script...\tAlt+F7"),
                 Item(cmd::kExportScriptMenu, "&Export Script...\tAlt+F8"),
                 Item(cmd::kImportSubtitles, "Import &Subtitles..."),
                 Item(cmd::kExportSubtitles, "Export &Subtitles...")}),
        Submenu("Ma&nage Study File",
                {Item(cmd::kResetListenWrite, "&Reset Listen-and-Write Box"),
                 Item(cmd::kResetBoth, "Reset Listen-and-Write and &Original Text Box"),
                 Item(cmd::kMergeAll, "&Merge Entire Sentences Into One\tAlt+T"),
                 Item(cmd::kReplaceAudio, "Replace(or &Locate) Audio File...")}),
        Submenu("Other &Options",
                {Item(cmd::kCompareOptions, "&Compare Options..."),
                 Item(cmd::kSpectrum, "Turn On/Off Audio &Spectrum"),
                 Item(cmd::kAlwaysOnTop, "Always On &Top", s.m_alwaysOnTop),
                 Item(cmd::kShowRepeatCount, "Show &Repetition Count For Each Sentence",
                      s.m_showRepeatCount),
                 Item(cmd::kSentencePadding, "Sentence &Padding...")}),
        Item(cmd::kDictionaryPath, "Mini-&Dictionary Path Setup..."),
        Item(cmd::kAutoPartition, "&Auto-Partition Into Sentences..."),
        Item(cmd::kExportMp3, "&Export To an M&P3 File..."),
        Item(cmd::kExportSentenceMp3, "Export Current Sentence To an &MP3 File...\tCtrl+M"),
        Item(cmd::kOriginalEditMode, "Original Text &Editing Mode\tCtrl+E", s.m_originalEditMode),
    };
    return menu;
}

MenuModel MenuCommands::OpenMenu() const {
    MenuModel menu;
    menu.items = {Item(cmd::kOpenStudy, "&Open Study File...\tCtrl+O"),
                  Item(cmd::kImportAudio, "&Import Audio File...\tCtrl+N")};
    const std::vector<std::string> recent = m_view.Ports().form.RecentFiles();
    if (!recent.empty()) {
        menu.items.push_back(MenuItem{});
    }
    const int count = std::min<int>(recent.size(), cmd::kRecentFileLast - cmd::kRecentFile1 + 1);
    for (int i = 0; i < count; ++i) {
        menu.items.push_back(
            Item(cmd::kRecentFile1 + i, "&" + std::to_string(i + 1) + " " + recent[i]));
    }
    return menu;
}

MenuModel MenuCommands::AboutMenu() {
    MenuModel menu;
    menu.items = {Item(cmd::kHowToUse, "How to &Use..."), Item(cmd::kHotKeys, "Hot &Keys"),
                  Item(cmd::kAbout, "&About Earlark...")};
    return menu;
}
