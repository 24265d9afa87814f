#include "document/CEarlarkDoc.h"

#include "document/ArchiveError.h"
#include "document/ArchiveReader.h"
#include "document/ArchiveWriter.h"
#include "document/DocumentHost.h"
#include "document/StudyMessages.h"
#include "platform/FileDialogs.h"
#include "platform/Prompts.h"
#include "platform/SafeFileWriter.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr std::array<std::uint32_t, 6> kDefaultColors{0x00CEDEE7, CEarlarkDoc::kSkinBackground,
                                                      0x0000FF00, CEarlarkDoc::kSkinBackground,
                                                      0x0000FFFF, CEarlarkDoc::kSkinBackground};

// Study files are small; anything larger than this is not one.
constexpr std::uintmax_t kMaxStudyFileSize = 256u << 20;

std::string ToLower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

CEarlarkDoc::CEarlarkDoc() = default;

void CEarlarkDoc::DeleteContents() {
    m_nViewKind = 0;
    m_strAudioPath.clear();
    m_nCurSentence = 0;
    m_nVolume = 128;
    m_nRepeat = 3;
    m_nInterval = 3;
    m_nSpeed = 100;
    m_nDisplayFlags = 0;
    m_sections.DeleteAll();
    m_nCharSet = 0;
    m_strFontFace = u"Arial";
    m_nFontHeight = -16;
    m_nFontStyle = 0;
    m_colors = kDefaultColors;
    if (m_view) {
        m_view->ClearSentenceList();
    }
}

bool CEarlarkDoc::OnNewDocument() {
    DeleteContents();
    m_pathName.clear();
    m_modified = false;
    DeleteContents();
    m_nViewKind = kStudyViewKind;
    // A new study starts at the volume the output device has now (first channel). Without
    // an output device (command-line tools) it keeps the reset volume.
    if (m_player.HasOutputDevice()) {
        m_nVolume = static_cast<std::int32_t>(m_player.GetVolume() & 0xFFFF);
    }
    return true;
}

bool CEarlarkDoc::OnOpenDocument(const std::string& path) {
    m_blankOnFailure = false;
    DeleteContents();
    if (ReadFile(path)) {
        m_modified = false;
        SetPathName(path);
        return true;
    }
    // The failed read has reset the study: it must not keep the name of the study shown
    // before, or the next Save would overwrite that file with a blank study.
    DeleteContents();
    m_pathName.clear();
    m_modified = false;
    ReportSaveLoadException(path);
    if (m_blankOnFailure) {
        m_blankOnFailure = false;
        return true;
    }
    return false;
}

bool CEarlarkDoc::ReadFile(const std::string& path) {
    std::error_code ec;
    std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size > kMaxStudyFileSize) {
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (in.bad()) {
        return false;
    }
    if (bytes.empty()) {
        return true; // an empty file holds a reset study
    }
    try {
        ArchiveReader archive(bytes);
        Serialize(archive);
    } catch (const ArchiveError&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CEarlarkDoc::OnSaveDocument(const std::string& path) {
    if (ToLower(path).find("untitled.ekd") != std::string::npos) {
        if (m_prompts) {
            m_prompts->ShowMessage(study_messages::kBadName);
        }
        return false;
    }
    if (!SafeFileWriter::Write(path, ToBytes())) {
        ReportSaveLoadException(path);
        return false;
    }
    m_modified = false;
    return true;
}

bool CEarlarkDoc::SaveModified() {
    if (m_view) {
        m_view->CommitPendingEdits();
    }
    m_player.CloseOutput();
    if (!m_modified) {
        return true;
    }
    if (!m_prompts) {
        return false;
    }
    std::string name = m_pathName.empty() ? GetTitle() : m_pathName;
    switch (m_prompts->AskYesNoCancel(study_messages::AskToSave(name))) {
    case PromptAnswer::Yes:
        return DoFileSave();
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

bool CEarlarkDoc::DoFileSave() {
    return DoSave(m_pathName);
}

bool CEarlarkDoc::DoSave(const std::string& path) {
    std::string target = path;
    if (target.empty()) {
        if (!m_fileDialogs) {
            return false;
        }
        FileDialogRequest request;
        request.title = "Save As";
        request.filter = "Earlark Data File(*.ekd)|*.ekd||";
        request.defaultExtension = "ekd";
        request.proposedName = GetTitle();
        request.initialPath = m_pathName;
        auto chosen = m_fileDialogs->GetSaveFileName(request);
        if (!chosen) {
            return false;
        }
        target = *chosen;
    }
    if (!OnSaveDocument(target)) {
        return false;
    }
    SetPathName(target);
    return true;
}

const std::string& CEarlarkDoc::GetAudioPath() {
    if (m_strAudioPath.empty() && !m_pathName.empty()) {
        // The packaged audio beside the study: lesson.ekd -> lesson.ekw. The folder keeps its
        // case, because this file system tells letter cases apart.
        m_strAudioPath = m_pathName;
        char& last = m_strAudioPath.back();
        last = std::islower(static_cast<unsigned char>(last)) ? 'w' : 'W';
    }
    return m_strAudioPath;
}

void CEarlarkDoc::SetPathName(const std::string& path, bool addToRecent) {
    m_pathName = path;
    if (addToRecent && m_host && !path.empty()) {
        m_host->AddToRecentFileList(path);
    }
}

std::string CEarlarkDoc::GetTitle() const {
    if (m_pathName.empty()) {
        return "Untitled";
    }
    return std::filesystem::path(m_pathName).filename().string();
}

bool CEarlarkDoc::CanAddSentences(int sentencesInList) {
    if (sentencesInList < kMaxSentences) {
        return true;
    }
    if (m_limitRefusedOnce && m_prompts) {
        m_prompts->ShowMessage(study_messages::kSentenceLimit);
    }
    m_limitRefusedOnce = true;
    return false;
}

void CEarlarkDoc::ReportSaveLoadException(const std::string& path) {
    if (m_host) {
        m_host->StopTitleTimer();
    }
    if (m_prompts) {
        m_prompts->ShowMessage(study_messages::FileFailure(path), PromptIcon::Error);
    }
    if (m_host) {
        m_host->CloseTitlePicture();
        if (m_host->IsProcessingStartup()) {
            m_blankOnFailure = true;
        }
    }
}

void CEarlarkDoc::Serialize(ArchiveWriter& archive) const {
    archive.WriteInt32(kFileVersion);
    archive.WriteInt32(m_nViewKind);
    archive.WriteNarrowText(m_strAudioPath);
    archive.WriteInt32(m_nCurSentence);
    archive.WriteInt32(m_nVolume);
    archive.WriteInt32(m_nRepeat);
    archive.WriteInt32(m_nInterval);
    archive.WriteInt32(m_nSpeed);
    archive.WriteUInt32(m_nDisplayFlags);
    archive.WriteByte(m_nCharSet);
    archive.WriteWideText(m_strFontFace);
    archive.WriteInt32(m_nFontHeight);
    archive.WriteUInt32(m_nFontStyle);
    for (std::uint32_t color : m_colors) {
        archive.WriteUInt32(color);
    }
    m_sections.Serialize(archive);
}

void CEarlarkDoc::Serialize(ArchiveReader& archive) {
    const std::uint32_t version = archive.ReadUInt32();
    m_nVersion = static_cast<std::int32_t>(version);
    m_nViewKind = archive.ReadInt32();
    // The path is decoded once the character set is known (it is stored further on).
    StoredText audioPath = archive.ReadText();
    if (version >= 101) {
        m_nCurSentence = archive.ReadInt32();
        m_nVolume = archive.ReadInt32();
        m_nRepeat = archive.ReadInt32();
        m_nInterval = archive.ReadInt32();
    }
    if (version >= 150) {
        m_nSpeed = archive.ReadInt32();
        if (version < 360) {
            m_nSpeed = 100;
        }
    }
    if (version >= 153) {
        m_nDisplayFlags = archive.ReadUInt32();
    }
    if (version >= 350) {
        m_nCharSet = archive.ReadByte();
        m_strFontFace = archive.ReadText().ToUtf16(m_nCharSet);
        m_nFontHeight = archive.ReadInt32();
        m_nFontStyle = archive.ReadUInt32();
        for (std::uint32_t& color : m_colors) {
            color = archive.ReadUInt32();
        }
        // Backgrounds always follow the skin; an editing-mode text colour of 0 (black on
        // the dark background) is not a usable choice.
        m_colors[1] = m_colors[3] = m_colors[5] = kSkinBackground;
        if (m_colors[4] == 0) {
            m_colors[4] = 0x0000FFFF;
        }
        m_sections.Serialize(archive, version, m_nCharSet);
    }
    m_strAudioPath = audioPath.ToUtf8(m_nCharSet);
    m_nVersion = kFileVersion;
}

std::vector<std::uint8_t> CEarlarkDoc::ToBytes() const {
    ArchiveWriter archive;
    Serialize(archive);
    return archive.Bytes();
}
