// earlark-tool study dump|resave|new: study files as the program reads and writes them.
#include "JsonWriter.h"
#include "ToolCommands.h"

#include "document/CEarlarkDoc.h"
#include "document/StudyMessages.h"
#include "platform/CodePage.h"
#include "platform/ScriptedPrompts.h"

#include <charconv>
#include <fstream>
#include <iostream>
#include <optional>

namespace {

using codepage::Utf16ToUtf8;

// Opens a study the way the program does; on failure prints the study-file failure text.
bool OpenStudy(CEarlarkDoc& doc, const std::string& path) {
    if (doc.OnOpenDocument(path)) {
        return true;
    }
    ToolError(study_messages::FileFailureOneLine(path));
    return false;
}

bool SaveStudy(CEarlarkDoc& doc, ScriptedPrompts& prompts, const std::string& path) {
    if (doc.OnSaveDocument(path)) {
        return true;
    }
    if (!prompts.Messages().empty() && prompts.Messages().back() == study_messages::kBadName) {
        ToolError("the name " + path + " is not appropriate for a study file");
    } else {
        ToolError(study_messages::FileFailureOneLine(path));
    }
    return false;
}

// The version field exactly as stored (the document itself always holds 420 after a read).
std::uint32_t StoredVersion(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    unsigned char b[4] = {};
    if (!in.read(reinterpret_cast<char*>(b), 4)) {
        return CEarlarkDoc::kFileVersion;
    }
    return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

void WriteSentence(JsonWriter& json, const CEarlarkWaveSection& s) {
    json.BeginObject();
    json.Key("start").UInt(s.m_nStart).Key("end").UInt(s.m_nEnd).Key("flags").UInt(s.m_nFlags);
    json.Key("listenWrite").String(Utf16ToUtf8(s.m_strListenWrite));
    json.Key("original").String(Utf16ToUtf8(s.m_strOriginal));
    json.Key("spare1").String(Utf16ToUtf8(s.m_strSpare1));
    json.Key("spare2").String(Utf16ToUtf8(s.m_strSpare2));
    json.Key("clipStart").UInt(s.m_nClipStart).Key("clipEnd").UInt(s.m_nClipEnd);
    json.Key("spare").BeginArray().Int(s.m_nSpare[0]).Int(s.m_nSpare[1]).EndArray();
    json.Key("playCount").UInt(s.m_nPlayCount).Key("hintLevel").UInt(s.m_nHintLevel);
    json.EndObject();
}

int Dump(const ToolArgs& args) {
    if (args.size() != 1) {
        return ToolError("usage: study dump FILE");
    }
    CEarlarkDoc doc;
    if (!OpenStudy(doc, args[0])) {
        return 1;
    }
    JsonWriter json;
    json.BeginObject();
    json.Key("version").UInt(StoredVersion(args[0]));
    json.Key("viewKind").Int(doc.m_nViewKind);
    json.Key("audioPath").String(doc.m_strAudioPath);
    json.Key("curSentence").Int(doc.m_nCurSentence);
    json.Key("volume").Int(doc.m_nVolume);
    json.Key("repeat").Int(doc.m_nRepeat);
    json.Key("interval").Int(doc.m_nInterval);
    json.Key("speed").Int(doc.m_nSpeed);
    json.Key("displayFlags").UInt(doc.m_nDisplayFlags);
    json.Key("charSet").UInt(doc.m_nCharSet);
    json.Key("fontFace").String(Utf16ToUtf8(doc.m_strFontFace));
    json.Key("fontHeight").Int(doc.m_nFontHeight);
    json.Key("fontStyle").UInt(doc.m_nFontStyle);
    json.Key("colors").BeginArray();
    for (std::uint32_t color : doc.m_colors) {
        json.UInt(color);
    }
    json.EndArray();
    json.Key("sentences").BeginArray();
    for (int i = 0; i < doc.m_sections.GetSize(); ++i) {
        WriteSentence(json, *doc.m_sections.GetAt(i));
    }
    json.EndArray().EndObject();
    std::cout << json.Text() << '\n';
    return 0;
}

int Resave(const ToolArgs& args) {
    if (args.size() != 2) {
        return ToolError("usage: study resave IN OUT");
    }
    CEarlarkDoc doc;
    ScriptedPrompts prompts;
    doc.SetPrompts(&prompts);
    if (!OpenStudy(doc, args[0])) {
        return 1;
    }
    return SaveStudy(doc, prompts, args[1]) ? 0 : 1;
}

std::optional<std::uint32_t> ParseUInt(const std::string& text) {
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

// "\r" stands for a paragraph break (CR) and "\\" for a backslash.
std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == 'r' || text[i + 1] == '\\')) {
            out += text[i + 1] == 'r' ? '\r' : '\\';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Reads "start<TAB>end<TAB>original[<TAB>transcription]" lines into the document; returns an
// error or "".
std::string ReadSentences(CEarlarkDoc& doc, const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return "cannot read " + path;
    }
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.empty()) {
            continue;
        }
        size_t tab1 = line.find('\t');
        size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        auto start = ParseUInt(line.substr(0, tab1));
        auto end = tab1 == std::string::npos ? std::nullopt
                                             : ParseUInt(line.substr(tab1 + 1, tab2 - tab1 - 1));
        if (!start || !end) {
            return path + ":" + std::to_string(number) + ": expected start<TAB>end<TAB>text";
        }
        auto record = std::make_unique<CEarlarkWaveSection>();
        record->m_nStart = *start;
        record->m_nEnd = *end;
        if (tab2 != std::string::npos) {
            const size_t tab3 = line.find('\t', tab2 + 1);
            record->m_strOriginal =
                codepage::Utf8ToUtf16(Unescape(line.substr(tab2 + 1, tab3 - tab2 - 1)));
            if (tab3 != std::string::npos) {
                record->m_strListenWrite = codepage::Utf8ToUtf16(Unescape(line.substr(tab3 + 1)));
            }
        }
        doc.m_sections.Add(std::move(record));
    }
    return {};
}

int New(const ToolArgs& args) {
    if (args.empty()) {
        return ToolError(
            "usage: study new OUT [--audio PATH] [--data-size N] [--sentences TSV] [--volume V]");
    }
    CEarlarkDoc doc;
    ScriptedPrompts prompts;
    doc.SetPrompts(&prompts);
    doc.OnNewDocument();
    std::optional<std::uint32_t> dataSize;
    std::string sentences;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (i + 1 >= args.size()) {
            return ToolError("missing value after " + option);
        }
        const std::string& value = args[++i];
        if (option == "--audio") {
            doc.m_strAudioPath = value;
        } else if (option == "--data-size") {
            dataSize = ParseUInt(value);
            if (!dataSize || *dataSize == 0) {
                return ToolError("--data-size needs a positive byte count");
            }
        } else if (option == "--volume") {
            auto volume = ParseUInt(value);
            if (!volume || *volume > 65535) {
                return ToolError("--volume needs a value from 0 to 65535");
            }
            doc.m_nVolume = static_cast<std::int32_t>(*volume);
        } else if (option == "--sentences") {
            sentences = value;
        } else {
            return ToolError("unknown option " + option);
        }
    }
    if (!sentences.empty()) {
        if (std::string error = ReadSentences(doc, sentences); !error.empty()) {
            return ToolError(error);
        }
    } else if (dataSize) {
        auto whole = std::make_unique<CEarlarkWaveSection>();
        whole->m_nEnd = *dataSize - 1;
        doc.m_sections.Add(std::move(whole));
    }
    if (dataSize) {
        for (int i = 0; i < doc.m_sections.GetSize(); ++i) {
            doc.m_sections.GetAt(i)->UpdateWholeFlag(*dataSize);
        }
    }
    return SaveStudy(doc, prompts, args[0]) ? 0 : 1;
}

} // namespace

int RunStudyCommand(const ToolArgs& args) {
    if (args.empty()) {
        return ToolError("usage: study dump|resave|new ...");
    }
    ToolArgs rest(args.begin() + 1, args.end());
    if (args[0] == "dump") {
        return Dump(rest);
    }
    if (args[0] == "resave") {
        return Resave(rest);
    }
    if (args[0] == "new") {
        return New(rest);
    }
    return ToolError("unknown study command " + args[0]);
}
