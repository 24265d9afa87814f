// earlark-tool export-mp3: the MP3 exports of the study view run on a study file, with the
// export dialog's choices given as options and the result described as one JSON line.
#include "AudioToolSupport.h"
#include "JsonWriter.h"
#include "ToolCommands.h"

#include "document/CEarlarkDoc.h"
#include "document/StudyMessages.h"
#include "export/ExportMessages.h"
#include "export/ExportProgress.h"
#include "export/Mp3EncoderDriver.h"
#include "export/Mp3Export.h"
#include "export/Mp3ExportChoices.h"
#include "export/Mp3ExportList.h"
#include "export/Mp3FileNames.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/ScriptedPrompts.h"
#include "view/CPlaybackController.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <iostream>
#include <optional>

namespace {

namespace fs = std::filesystem;

constexpr const char* kUsage =
    "usage: export-mp3 STUDY.ekd OUT.mp3 [--format N] [--range A-B] [--pattern P]\n"
    "       export-mp3 STUDY.ekd DIR --each-sentence [--format N] [--range A-B] [--answer yes|no]\n"
    "       export-mp3 STUDY.ekd OUT.mp3 --current ROW [--format N]";

struct ExportArgs {
    std::string study;
    std::string out;
    int format = mp3choices::kDefaultFormat;
    std::optional<std::pair<int, int>> range;
    std::optional<int> pattern;
    bool eachSentence = false;
    std::optional<int> current;
    bool answerYes = true;
};

std::optional<int> ParseInt(std::string_view text) {
    int value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) {
        return std::nullopt;
    }
    return value;
}

// "A-B", each a non-negative integer; whether the range fits the study is the export's check.
std::optional<std::pair<int, int>> ParseRange(const std::string& text) {
    const std::size_t dash = text.find('-', 1);
    if (dash == std::string::npos) {
        return std::nullopt;
    }
    const std::optional<int> first = ParseInt(std::string_view(text).substr(0, dash));
    const std::optional<int> last = ParseInt(std::string_view(text).substr(dash + 1));
    if (!first || !last) {
        return std::nullopt;
    }
    return std::pair{*first, *last};
}

bool ParseOption(ExportArgs& parsed, const std::string& option, const std::string& value) {
    if (option == "--format") {
        const std::optional<int> format = ParseInt(value);
        parsed.format = format.value_or(0);
        return format.has_value();
    }
    if (option == "--range") {
        parsed.range = ParseRange(value);
        return parsed.range.has_value();
    }
    if (option == "--pattern") {
        parsed.pattern = ParseInt(value);
        return parsed.pattern.has_value();
    }
    if (option == "--current") {
        parsed.current = ParseInt(value);
        return parsed.current.has_value();
    }
    if (option == "--answer" && (value == "yes" || value == "no")) {
        parsed.answerYes = value == "yes";
        return true;
    }
    return false;
}

// The three forms exclude each other's options.
bool Consistent(const ExportArgs& parsed) {
    if (parsed.eachSentence) {
        return !parsed.pattern && !parsed.current;
    }
    if (parsed.current) {
        return !parsed.pattern && !parsed.range;
    }
    return true;
}

std::optional<ExportArgs> Parse(const ToolArgs& args) {
    ExportArgs parsed;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--each-sentence") {
            parsed.eachSentence = true;
        } else if (args[i].rfind("--", 0) == 0) {
            if (i + 1 >= args.size() || !ParseOption(parsed, args[i], args[i + 1])) {
                return std::nullopt;
            }
            ++i;
        } else {
            positional.push_back(args[i]);
        }
    }
    if (positional.size() != 2 || !Consistent(parsed)) {
        return std::nullopt;
    }
    parsed.study = positional[0];
    parsed.out = positional[1];
    // The folder's files are named folder/NAME.mp3.
    while (parsed.eachSentence && parsed.out.size() > 1 && parsed.out.back() == '/') {
        parsed.out.pop_back();
    }
    return parsed;
}

// The export's own messages, as the learner would read them, end a failed run. The closing
// "has failed" message says nothing the earlier one does not, so it is left out when another
// precedes it.
int ExportFailure(const ScriptedPrompts& prompts) {
    std::vector<std::string> messages = prompts.Messages();
    if (messages.size() > 1 && messages.back() == exportmsg::kFailed) {
        messages.pop_back();
    }
    if (messages.empty()) {
        return ToolError("the export was declined at the file name question");
    }
    for (const std::string& message : messages) {
        std::cerr << message << '\n';
    }
    return 1;
}

int UserFailure(const char* message) {
    std::cerr << message << '\n';
    return 1;
}

// One export run: the study, its audio open for rendering, the encoder beside the program.
class ExportRun {
public:
    explicit ExportRun(const ExportArgs& args)
        : m_args(args), m_device(m_messages),
          m_encoder(Mp3EncoderDriver::InstalledLibraryPath(), &m_prompts),
          m_export(m_engine, m_encoder, m_prompts, m_progress) {
        m_prompts.SetFallback(args.answerYes ? PromptAnswer::Yes : PromptAnswer::No);
        m_engine.SetOutputDevice(&m_device);
    }
    ~ExportRun() { m_engine.CloseOutput(); }

    int Run();

private:
    bool OpenStudy();
    std::vector<const CEarlarkWaveSection*> Sentences() const;
    int ExportList();
    int ExportCurrent();
    void RemoveNewFiles(const std::vector<std::string>& files, const std::vector<bool>& existed);
    int Report(std::size_t items, const std::vector<std::string>& files) const;

    const ExportArgs& m_args;
    CEarlarkDoc m_doc;
    ScriptedPrompts m_prompts;
    SilentExportProgress m_progress;
    PumpedMessageQueue m_messages;
    ManualClockWaveOutDevice m_device;
    CWaveEngine m_engine;
    ToolPlayerOwner m_owner{m_engine};
    Mp3EncoderDriver m_encoder;
    Mp3Export m_export;
};

bool ExportRun::OpenStudy() {
    if (!m_doc.OnOpenDocument(m_args.study)) {
        ToolError(study_messages::FileFailureOneLine(m_args.study));
        return false;
    }
    const std::string audio = m_doc.GetAudioPath();
    const int opened = m_engine.OpenWaveFile(audio);
    if (opened != 0) {
        ToolError(DescribeOpenFailure(audio, opened));
        return false;
    }
    if (!m_engine.OpenOutput(audio, &m_owner, 100)) {
        ToolError("cannot prepare " + audio + " for output");
        return false;
    }
    return true;
}

// The sentence list in all-sentences order, as far as the list shows sentences.
std::vector<const CEarlarkWaveSection*> ExportRun::Sentences() const {
    std::vector<const CEarlarkWaveSection*> rows;
    const int count = std::min(m_doc.m_sections.GetSize(), CEarlarkDoc::kMaxSentences);
    for (int i = 0; i < count; ++i) {
        rows.push_back(m_doc.m_sections.GetAt(i));
    }
    return rows;
}

int ExportRun::Run() {
    // The save dialog offers only folders that exist; here a missing one is the file that
    // cannot be made.
    const fs::path folder =
        m_args.eachSentence ? fs::path(m_args.out) : fs::absolute(m_args.out).parent_path();
    if (!fs::is_directory(folder)) {
        return UserFailure(exportmsg::kCannotCreate);
    }
    if (!OpenStudy()) {
        return 1;
    }
    return m_args.current ? ExportCurrent() : ExportList();
}

int ExportRun::ExportList() {
    const std::vector<const CEarlarkWaveSection*> sentences = Sentences();
    Mp3ExportOptions options(m_args.format, static_cast<int>(sentences.size()));
    if (m_args.range) {
        options.ClickRadio(Mp3ExportOptions::kExportRange);
        std::tie(options.first, options.last) = *m_args.range;
    }
    if (m_args.eachSentence) {
        options.ClickRadio(Mp3ExportOptions::kEachSentence);
    } else if (m_args.pattern) {
        options.ClickRadio(Mp3ExportOptions::kUsePatterns);
        options.pattern = *m_args.pattern;
    }
    const std::uint32_t byteRate = m_engine.Format().avgBytesPerSec;
    Mp3ExportList list(
        [byteRate](std::uint32_t start, std::uint32_t end, int value, bool proportional) {
            return CPlaybackController::PauseBytes(start, end, value, proportional, byteRate);
        },
        m_prompts);
    Mp3ExportList::Study study{m_doc.m_nRepeat, m_doc.m_nSpeed, m_doc.m_nInterval,
                               (m_doc.m_nDisplayFlags & CEarlarkDoc::kListenAndSpeak) != 0};
    if (!list.Build(sentences, options, study, m_args.out)) {
        return ExportFailure(m_prompts);
    }
    const int bitRate = mp3choices::BitRate(m_args.format);
    if (!m_args.eachSentence) {
        if (!m_export.ExportToFile(list.Items(), m_args.out, bitRate)) {
            return ExportFailure(m_prompts);
        }
        return Report(list.Items().size(), {m_args.out});
    }
    std::vector<bool> existed;
    for (const std::string& file : list.Files()) {
        existed.push_back(fs::exists(file));
    }
    const std::string checked = (fs::path(m_args.out) / "x.mp3").string();
    if (!m_export.ExportEachToFile(list.Items(), list.Files(), checked, bitRate)) {
        RemoveNewFiles(list.Files(), existed);
        return ExportFailure(m_prompts);
    }
    return Report(list.Items().size(), list.Files());
}

// A failed run leaves no file behind that it made; files that were there before stay.
void ExportRun::RemoveNewFiles(const std::vector<std::string>& files,
                               const std::vector<bool>& existed) {
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (!existed[i]) {
            std::error_code ignored;
            fs::remove(files[i], ignored);
        }
    }
}

int ExportRun::ExportCurrent() {
    const std::vector<const CEarlarkWaveSection*> sentences = Sentences();
    const int row = *m_args.current;
    if (row < 0 || row >= static_cast<int>(sentences.size())) {
        return ToolError("--current " + std::to_string(row) + " is not a row of the list (0 to " +
                         std::to_string(static_cast<int>(sentences.size()) - 1) + ")");
    }
    if (!mp3names::CanCreate(m_args.out)) {
        return UserFailure(exportmsg::kUnicodeName);
    }
    const CEarlarkWaveSection& sentence = *sentences[row];
    if (!m_export.ExportRange(sentence.m_nStart, sentence.m_nEnd, m_args.out,
                              mp3choices::BitRate(m_args.format))) {
        return ExportFailure(m_prompts);
    }
    return Report(1, {m_args.out});
}

int ExportRun::Report(std::size_t items, const std::vector<std::string>& files) const {
    JsonWriter json;
    json.BeginObject().Key("result").String("ok").Key("items").UInt(items);
    json.Key("sourceBytes").UInt(m_export.SourceBytes());
    json.Key("renderedBytes").UInt(m_export.EncodedPcmBytes());
    json.Key("files").BeginArray();
    for (const std::string& file : files) {
        json.String(file);
    }
    json.EndArray().EndObject();
    std::cout << json.Text() << '\n';
    return 0;
}

} // namespace

int RunExportMp3Command(const ToolArgs& args) {
    const std::optional<ExportArgs> parsed = Parse(args);
    if (!parsed) {
        return ToolError(kUsage);
    }
    ExportRun run(*parsed);
    return run.Run();
}
