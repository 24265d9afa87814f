#include "app/CEarlarkApp.h"

#include "app/AppMessages.h"
#include "app/StartupPorts.h"
#include "document/CEarlarkDoc.h"
#include "platform/FileDialogs.h"
#include "platform/Prompts.h"
#include "platform/SettingsTable.h"
#include "skin/SkinSystem.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace {

bool CanOpenForReading(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return file.good() && !std::filesystem::is_directory(path);
}

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    if (!ext.empty() && ext[0] == '.') {
        ext.erase(0, 1);
    }
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext;
}

} // namespace

RichTextStatus RichTextStatusFromMajorVersion(int major) {
    if (major < 0) {
        return RichTextStatus::Missing;
    }
    return major == 3 || major == 4 ? RichTextStatus::Usable : RichTextStatus::Outdated;
}

CEarlarkApp::CEarlarkApp(const AppServices& services, CEarlarkDoc& doc)
    : m_services(services), m_doc(doc),
      m_audio(doc, services.settings, services.prompts, services.fileDialogs),
      m_dictionary(services.settings, services.prompts, ""), m_popupSettings(services.settings) {
    m_doc.SetHost(this);
    m_doc.SetPrompts(&services.prompts);
    m_doc.SetFileDialogs(&services.fileDialogs);
}

bool CEarlarkApp::InitInstance(const CommandLine& commandLine, const AppPaths& paths) {
    // Nothing is created or written before this check, so a refused copy leaves no traces.
    if (m_services.instance.AnotherInstanceRunning()) {
        m_services.prompts.ShowMessage(app_messages::kSecondInstance);
        m_services.instance.ActivateOtherInstance();
        return false;
    }
    m_titlePicture = commandLine.showTitlePicture;
    if (!CheckRichTextControl()) {
        return false;
    }
    m_recentFiles.Load(m_services.settings);
    m_programFolder = paths.programFolder;
    m_dataFolder = paths.dataFolder;
    if (m_skin && !m_skin->LoadSkin(DataRootOf("Skins"), "default")) {
        m_services.prompts.ShowMessage(app_messages::kSkinFailure);
        return false;
    }
    m_convertedPath = paths.cacheFolder + "__EARLARK__";
    m_helpPath = FindDataFile("help/index.html");
    RestoreRecentConverted();
    m_popupSettings.Enable(true);
    m_dictionary.SetProgramFolder(DataRootOf(MiniDictionary::kDefaultIndexName));
    m_dictionary.OpenDictionary();

    std::string start = ChooseStartStudy(commandLine);
    m_processingStartup = true;
    bool started = start.empty() ? OnFileNew() : OpenDocumentFile(start);
    m_processingStartup = false;
    if (!started) {
        return false;
    }
    m_startMaximised = settings::kFrameZoomed.Read(m_services.settings) == 1;
    return true;
}

void CEarlarkApp::ExitInstance() {
    m_dictionary.CloseDictionary();
    if (m_skin) {
        m_skin->UnloadSkin();
    }
    m_recentFiles.Save(m_services.settings);
}

bool CEarlarkApp::CheckRichTextControl() {
    switch (m_services.richText.Probe()) {
    case RichTextStatus::Missing:
        m_services.prompts.ShowMessage(app_messages::kRichTextMissing, PromptIcon::Error);
        return false;
    case RichTextStatus::Outdated:
        m_services.prompts.ShowMessage(app_messages::kRichTextOutdated, PromptIcon::Error);
        return false;
    case RichTextStatus::Usable:
        return true;
    }
    return false;
}

// The converted file holds the conversion of one source; when the file is gone, so is
// the record of what it held. The source itself need not exist.
void CEarlarkApp::RestoreRecentConverted() {
    std::string source = settings::kRecentConverted.Read(m_services.settings);
    if (!source.empty() && !CanOpenForReading(m_convertedPath)) {
        source.clear();
    }
    m_audio.Import().SetConvertedPath(m_convertedPath);
    m_audio.Import().SetRecentConvertedSource(source);
}

std::string CEarlarkApp::ChooseStartStudy(const CommandLine& commandLine) const {
    std::string choice = commandLine.studyFile;
    if (choice.empty()) {
        choice = settings::kStartStudy.Read(m_services.settings);
        if (choice == "none" && !commandLine.demoStudy.empty()) {
            choice = commandLine.demoStudy;
        }
    }
    if (choice == "none" || !CanOpenForReading(choice)) {
        return {};
    }
    return choice;
}

bool CEarlarkApp::OnFileOpen() {
    FileDialogRequest request;
    request.title = app_messages::kOpenStudyTitle;
    request.filter = app_messages::kOpenStudyFilter;
    request.defaultExtension = "ekd";
    request.initialPath = settings::kEkdOpenDir.Read(m_services.settings);
    request.mustExist = true;
    auto chosen = m_services.fileDialogs.GetOpenFileName(request);
    if (!chosen) {
        return false;
    }
    if (LowerExtension(*chosen) != "ekd") {
        m_services.prompts.ShowMessage(app_messages::kNotAStudyFile);
        return false;
    }
    settings::kEkdOpenDir.Write(m_services.settings, *chosen);
    return OpenDocumentFile(*chosen);
}

bool CEarlarkApp::OpenDocumentFile(const std::string& path) {
    if (!m_doc.SaveModified()) {
        return false;
    }
    return m_doc.OnOpenDocument(path);
}

bool CEarlarkApp::OnFileNew() {
    if (!m_doc.SaveModified()) {
        return false;
    }
    return m_doc.OnNewDocument();
}

std::string CEarlarkApp::HelpTopic(int topic) const {
    return topic == 2 ? m_helpPath + "#hotkeys" : m_helpPath;
}

std::string CEarlarkApp::FindDataFile(const std::string& relative) const {
    return DataRootOf(relative) + relative;
}

std::string CEarlarkApp::DataRootOf(const std::string& relative) const {
    if (m_dataFolder.empty() || std::filesystem::exists(m_programFolder + relative)) {
        return m_programFolder;
    }
    return m_dataFolder;
}

void CEarlarkApp::AddToRecentFileList(const std::string& path) {
    std::error_code ec;
    std::string absolute = std::filesystem::absolute(path, ec).lexically_normal().string();
    m_recentFiles.Add(ec ? path : absolute);
    m_recentFiles.Save(m_services.settings);
}
