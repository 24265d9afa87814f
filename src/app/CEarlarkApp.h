#pragma once

#include "app/CommandLine.h"
#include "app/RecentFileList.h"
#include "app/StudyAudio.h"
#include "dictionary/DicPopupContent.h"
#include "dictionary/MiniDictionary.h"
#include "document/DocumentHost.h"

#include <string>

class CEarlarkDoc;
class FileDialogs;
class InstanceGuard;
class Prompts;
class RichTextProbe;
class SettingsStore;
class SkinSystem;

// The platform services the application works through.
struct AppServices {
    Prompts& prompts;
    FileDialogs& fileDialogs;
    SettingsStore& settings;
    InstanceGuard& instance;
    RichTextProbe& richText;
};

// Where the program's own files are: read-only data beside the executable, scratch files
// in the per-user cache folder. Both end with a separator.
struct AppPaths {
    std::string programFolder;
    std::string cacheFolder;
    // The installed data folder, used for data not found beside the program.
    std::string dataFolder;
};

// The application: the start-up sequence, the recent-file list and the application-level
// commands (open a study, new study). Holds no widgets, so start-up is tested headless.
class CEarlarkApp : public DocumentHost {
public:
    CEarlarkApp(const AppServices& services, CEarlarkDoc& doc);

    // The skin loaded at start-up and released at exit.
    void SetSkin(SkinSystem* skin) { m_skin = skin; }

    // The start-up sequence; false ends the program.
    bool InitInstance(const CommandLine& commandLine, const AppPaths& paths);
    void ExitInstance();

    // "Open Study File" (Ctrl+O): asks for a .ekd file and opens it; true when a study was
    // opened.
    bool OnFileOpen();
    // Opens a study file (command line, recent list, dropped file) after offering to save
    // the current one.
    bool OpenDocumentFile(const std::string& path);
    // A new, empty study after offering to save the current one.
    bool OnFileNew();

    bool IsProcessingStartup() const override { return m_processingStartup; }
    void AddToRecentFileList(const std::string& path) override;

    const std::string& ProgramFolder() const { return m_programFolder; }
    const std::string& ConvertedPath() const { return m_convertedPath; }
    const std::string& HelpPath() const { return m_helpPath; }
    // The help page for "How to Use" (topic 0) and "Hot Keys" (topic 2).
    std::string HelpTopic(int topic) const;
    // A read-only data file: beside the program when it is there, else in the data folder.
    std::string FindDataFile(const std::string& relative) const;
    const std::string& RecentConvertedSource() const {
        return m_audio.Import().RecentConvertedSource();
    }
    StudyAudio& Audio() { return m_audio; }
    // The platform services, for the study view the frame builds.
    const AppServices& Services() const { return m_services; }
    const StudyAudio& Audio() const { return m_audio; }
    // The Mini-Dictionary opened at start-up, and the popup's enabled flag and display time.
    MiniDictionary& Dictionary() { return m_dictionary; }
    DicPopupSettings& PopupSettings() { return m_popupSettings; }
    bool TitlePictureEnabled() const { return m_titlePicture; }
    bool StartMaximised() const { return m_startMaximised; }
    const RecentFileList& RecentFiles() const { return m_recentFiles; }

private:
    bool CheckRichTextControl();
    void RestoreRecentConverted();
    std::string ChooseStartStudy(const CommandLine& commandLine) const;
    // The folder a read-only data file or folder is read from: the program folder when it
    // is there (the build tree, a copy run in place), else the installed data folder.
    std::string DataRootOf(const std::string& relative) const;

    AppServices m_services;
    SkinSystem* m_skin = nullptr;
    CEarlarkDoc& m_doc;
    RecentFileList m_recentFiles;
    StudyAudio m_audio;
    MiniDictionary m_dictionary;
    DicPopupSettings m_popupSettings;
    std::string m_programFolder;
    std::string m_dataFolder;
    std::string m_convertedPath;
    std::string m_helpPath;
    bool m_titlePicture = true;
    bool m_startMaximised = false;
    bool m_processingStartup = false;
};
