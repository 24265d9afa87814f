// earlark-tool script export|import: text scripts of a study, written and read as the
// Export Script and Import Script commands do (sentences in study order, no audio needed).
#include "ToolCommands.h"

#include "document/CEarlarkDoc.h"
#include "document/ScriptFile.h"
#include "document/StudyMessages.h"
#include "platform/SafeFileWriter.h"

#include <algorithm>
#include <iostream>
#include <set>
#include <vector>

namespace {

constexpr const char* kExportUsage =
    "usage: script export STUDY OUT [--original] [--wkf] [--date] [--unicode]";
constexpr const char* kImportUsage =
    "usage: script import STUDY IN.txt OUT.ekd [--original] [--no-delimiter]";

// The positional arguments and the flags; false when a flag is not one of allowed.
bool Split(const ToolArgs& args, std::vector<std::string>& positional, std::set<std::string>& flags,
           const std::set<std::string>& allowed) {
    for (const std::string& arg : args) {
        if (arg.rfind("--", 0) != 0) {
            positional.push_back(arg);
        } else if (allowed.count(arg) != 0) {
            flags.insert(arg);
        } else {
            return false;
        }
    }
    return true;
}

bool OpenStudy(CEarlarkDoc& doc, const std::string& path) {
    if (doc.OnOpenDocument(path)) {
        return true;
    }
    ToolError(study_messages::FileFailureOneLine(path));
    return false;
}

int Export(const ToolArgs& args) {
    std::vector<std::string> positional;
    std::set<std::string> flags;
    if (!Split(args, positional, flags, {"--original", "--wkf", "--date", "--unicode"}) ||
        positional.size() != 2) {
        return ToolError(kExportUsage);
    }
    CEarlarkDoc doc;
    if (!OpenStudy(doc, positional[0])) {
        return 1;
    }
    // The sentence list shows at most the study limit of sentences.
    const int count = std::min(doc.m_sections.GetSize(), CEarlarkDoc::kMaxSentences);
    if (count < doc.m_sections.GetSize()) {
        std::cerr << study_messages::kSentenceLimit << '\n';
    }
    std::vector<const CEarlarkWaveSection*> rows;
    for (int i = 0; i < count; ++i) {
        rows.push_back(doc.m_sections.GetAt(i));
    }
    ScriptExportOptions options;
    options.original = flags.count("--original") != 0;
    options.dataFile = flags.count("--wkf") != 0;
    options.date = flags.count("--date") != 0;
    options.unicode = flags.count("--unicode") != 0;
    if (!script_file::Export(positional[1], rows, options, script_file::LocalTimeNow())) {
        return ToolError(positional[1] + ": " + script_file::kCannotReadOrWrite);
    }
    return 0;
}

int Import(const ToolArgs& args) {
    std::vector<std::string> positional;
    std::set<std::string> flags;
    if (!Split(args, positional, flags, {"--original", "--no-delimiter"}) ||
        positional.size() != 3) {
        return ToolError(kImportUsage);
    }
    CEarlarkDoc doc;
    if (!OpenStudy(doc, positional[0])) {
        return 1;
    }
    ScriptImportOptions options;
    options.original = flags.count("--original") != 0;
    options.delimiter = flags.count("--no-delimiter") == 0;
    if (!script_file::Import(positional[1], doc.m_sections, doc.m_nCharSet, options)) {
        return ToolError(positional[1] + ": " + script_file::kCannotReadOrWrite);
    }
    if (!SafeFileWriter::Write(positional[2], doc.ToBytes())) {
        return ToolError(study_messages::FileFailureOneLine(positional[2]));
    }
    return 0;
}

} // namespace

int RunScriptCommand(const ToolArgs& args) {
    const std::string verb = args.empty() ? std::string() : args[0];
    const ToolArgs rest(args.begin() + (args.empty() ? 0 : 1), args.end());
    if (verb == "export") {
        return Export(rest);
    }
    if (verb == "import") {
        return Import(rest);
    }
    return ToolError(std::string(kExportUsage) + " | " + kImportUsage);
}
