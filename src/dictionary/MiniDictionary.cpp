#include "dictionary/MiniDictionary.h"

#include "platform/Prompts.h"
#include "platform/SettingsTable.h"

#include <filesystem>

MiniDictionary::MiniDictionary(SettingsStore& settings, Prompts& prompts, std::string programFolder)
    : m_settings(settings), m_prompts(prompts), m_programFolder(std::move(programFolder)) {}

std::string MiniDictionary::DataPathFor(const std::string& indexPath) {
    const std::size_t separator = indexPath.find_last_of("/\\");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    const std::size_t stop = indexPath.rfind('.');
    if (stop == std::string::npos || stop < nameStart) {
        return {};
    }
    return indexPath.substr(0, stop) + ".dat";
}

void MiniDictionary::ShowCannotOpen(const std::string& path) {
    const std::string_view message = kCannotOpen;
    const std::size_t at = message.find("%1");
    m_prompts.ShowMessage(std::string(message.substr(0, at)) + path +
                          std::string(message.substr(at + 2)));
}

int MiniDictionary::OpenDictionary(const std::optional<std::string>& indexPath) {
    CloseDictionary();
    std::string path = indexPath.value_or(settings::kMiniDicPath0.Read(m_settings));
    if (path.empty()) {
        path = m_programFolder + kDefaultIndexName;
    }
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        if (indexPath) {
            ShowCannotOpen(path);
        }
        return -1;
    }
    const std::string dataPath = DataPathFor(path);
    if (dataPath.empty()) {
        return -1;
    }
    if (!m_index.Open(path)) {
        ShowCannotOpen(path);
        return -1;
    }
    if (!m_data.Open(dataPath)) {
        m_index.Close();
        ShowCannotOpen(dataPath);
        return -1;
    }
    m_dataPath = dataPath;
    m_open = true;
    settings::kMiniDicPath0.Write(m_settings, path);
    return 0;
}

void MiniDictionary::CloseDictionary() {
    m_index.Close();
    m_data.Close();
    m_dataPath.clear();
    m_open = false;
}
