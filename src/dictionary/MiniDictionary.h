#pragma once

#include "dictionary/DicDataFile.h"
#include "dictionary/DicIndex.h"

#include <optional>
#include <string>

class Prompts;
class SettingsStore;

// The open Mini-Dictionary: an index file and the data file beside it. One dictionary is
// open at a time; its index holds the search position that lookups and steps share.
class MiniDictionary {
public:
    static constexpr const char* kDefaultIndexName = "lexdic.idx";
    static constexpr const char* kCannotOpen =
        "%1\n\nCannot open the file.\n\nPlease check the file path and the system.";

    // The program folder ends with a separator; the default index lies there.
    MiniDictionary(SettingsStore& settings, Prompts& prompts, std::string programFolder);
    // Where the default index lies (the program folder, or the installed data folder).
    void SetProgramFolder(std::string folder) { m_programFolder = std::move(folder); }

    // Closes the open dictionary and opens the index at the path, or with none the one named
    // by the settings, else the default beside the program. 0 on success, -1 on failure: a
    // missing index is reported only when the path was given, a damaged index or a data file
    // that cannot be opened always. On success the settings remember the index path.
    int OpenDictionary(const std::optional<std::string>& indexPath = std::nullopt);
    void CloseDictionary();
    bool DictionaryReady() const { return m_open; }
    // The data file's path, empty when no dictionary is open.
    std::string DictionaryDataPath() const { return m_open ? m_dataPath : std::string(); }

    // The data file of an index: the path with everything from the last full stop of its
    // file name replaced by ".dat"; empty when the file name has no full stop.
    static std::string DataPathFor(const std::string& indexPath);

    DicIndex& Index() { return m_index; }
    DicDataFile& Data() { return m_data; }

private:
    void ShowCannotOpen(const std::string& path);

    SettingsStore& m_settings;
    Prompts& m_prompts;
    std::string m_programFolder;
    DicIndex m_index;
    DicDataFile m_data;
    std::string m_dataPath;
    bool m_open = false;
};
