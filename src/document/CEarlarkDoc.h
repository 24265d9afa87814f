#pragma once

#include "audio/CWaveEngine.h"
#include "document/CEarlarkWaveSectionArray.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class ArchiveReader;
class ArchiveWriter;
class DocumentHost;
class DocumentView;
class FileDialogs;
class Prompts;

// The study: one recording divided into sentences, with the study-wide settings. One
// document lives for the whole run; opening a study or starting a new one resets and
// refills it.
class CEarlarkDoc {
public:
    static constexpr std::int32_t kFileVersion = 420;
    static constexpr std::int32_t kStudyViewKind = 103;
    static constexpr int kMaxSentences = 2000;
    static constexpr std::uint32_t kSkinBackground = 0x009D542C;

    // m_nDisplayFlags bits.
    static constexpr std::uint32_t kAutoPlay = 1u << 0;
    static constexpr std::uint32_t kShowOriginal = 1u << 1;
    static constexpr std::uint32_t kCompareMode = 1u << 2;
    static constexpr std::uint32_t kListenAndSpeak = 1u << 3;
    static constexpr std::uint32_t kOriginalEditing = 1u << 4;
    static constexpr std::uint32_t kCompareCase = 1u << 8;
    static constexpr std::uint32_t kComparePunctuation = 1u << 9;

    CEarlarkDoc();

    void SetPrompts(Prompts* prompts) { m_prompts = prompts; }
    void SetFileDialogs(FileDialogs* dialogs) { m_fileDialogs = dialogs; }
    void SetHost(DocumentHost* host) { m_host = host; }
    void SetView(DocumentView* view) { m_view = view; }

    // Every field back to its reset value, then the view's sentence list emptied.
    void DeleteContents();
    bool OnNewDocument();
    // Resets and reads the study file, which becomes the study's path. A failure is reported
    // with the study-file message; during start-up it leaves a blank study without a path
    // (so a later Save asks for a name instead of overwriting the damaged file) and counts
    // as success.
    bool OnOpenDocument(const std::string& path);
    // Writes the study file (never over a name containing "untitled.ekd").
    bool OnSaveDocument(const std::string& path);
    // Asks whether to save a modified study; false when the user cancels or saving fails.
    bool SaveModified();
    // Save: to the current path, or through the Save As dialog when the study has none.
    bool DoFileSave();
    // Save As (or Save for a study without a path): asks for a path when path is empty.
    bool DoSave(const std::string& path);

    // The study's audio file; for a study without one, the packaged audio beside the study
    // file (its name with the last character replaced by W), which is then kept.
    const std::string& GetAudioPath();

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true) { m_modified = modified; }
    const std::string& GetPathName() const { return m_pathName; }
    void SetPathName(const std::string& path, bool addToRecent = true);
    // The file name of the study, or "Untitled" for a study never saved.
    std::string GetTitle() const;

    // Adding sentences stops at kMaxSentences. The first refusal of the run is silent,
    // every later one shows the limit message.
    bool CanAddSentences(int sentencesInList);

    void ReportSaveLoadException(const std::string& path);

    void Serialize(ArchiveWriter& archive) const;
    // Reads a study file's contents into this (reset) document; throws ArchiveError.
    void Serialize(ArchiveReader& archive);
    // The study file's bytes as this document would write them.
    std::vector<std::uint8_t> ToBytes() const;

    std::int32_t m_nVersion = kFileVersion;
    std::int32_t m_nViewKind = 0;
    std::string m_strAudioPath;
    CEarlarkWaveSectionArray m_sections;
    // The study's wave file and output player; the document closes them before it is
    // reset or asks to save.
    CWaveEngine m_player;
    std::int32_t m_nInterval = 3;
    std::int32_t m_nRepeat = 3;
    std::int32_t m_nCurSentence = 0;
    std::int32_t m_nVolume = 128;
    std::int32_t m_nSpeed = 100;
    std::uint32_t m_nDisplayFlags = 0;
    std::uint8_t m_nCharSet = 0;
    std::u16string m_strFontFace;
    std::int32_t m_nFontHeight = -16;
    std::uint32_t m_nFontStyle = 0;
    std::array<std::uint32_t, 6> m_colors{};

private:
    bool ReadFile(const std::string& path);

    Prompts* m_prompts = nullptr;
    FileDialogs* m_fileDialogs = nullptr;
    DocumentHost* m_host = nullptr;
    DocumentView* m_view = nullptr;

    std::string m_pathName;
    bool m_modified = false;
    // Set when a study-file failure was reported during start-up.
    bool m_blankOnFailure = false;
    bool m_limitRefusedOnce = false;
};
