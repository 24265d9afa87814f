// earlark-tool dict build|lookup|step: builds Mini-Dictionary files from free data and looks
// words up in them as the popup does.
#include "JsonWriter.h"
#include "ToolCommands.h"

#include "dictionary/CDicVoca.h"
#include "dictionary/DicFileWriter.h"
#include "dictionary/DictdSource.h"
#include "dictionary/MiniDictionary.h"
#include "dictionary/WordNetSource.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"

#include <charconv>
#include <iostream>

namespace {

int Build(const ToolArgs& args) {
    if (args.size() != 3 || (args[1] != "--wordnet" && args[1] != "--dictd")) {
        return ToolError("usage: dict build OUT.idx (--wordnet DIR | --dictd BASE)");
    }
    const std::string& indexPath = args[0];
    const std::string dataPath = MiniDictionary::DataPathFor(indexPath);
    if (dataPath.empty()) {
        return ToolError("the index file name needs a full stop: " + indexPath);
    }
    std::vector<DicSourceEntry> entries;
    std::string error;
    const bool read = args[1] == "--wordnet" ? WordNetSource::Read(args[2], entries, error)
                                             : DictdSource::Read(args[2], entries, error);
    if (!read) {
        return ToolError(error);
    }
    const std::size_t count = entries.size();
    error = DicFileWriter::Write(std::move(entries), indexPath, dataPath, {});
    if (!error.empty()) {
        return ToolError(error);
    }
    JsonWriter json;
    json.BeginObject().Key("entries").UInt(count);
    json.Key("index").String(indexPath).Key("data").String(dataPath).EndObject();
    std::cout << json.Text() << '\n';
    return 0;
}

std::string EntryLine(bool found, const CDicVoca& entry) {
    JsonWriter json;
    json.BeginObject().Key("found").Bool(found);
    json.Key("headword").String(found ? entry.m_strWord : "");
    json.Key("pos").UInt(found ? entry.m_dwPos : 0);
    json.Key("posText").String(found ? CDicVoca::PartOfSpeechText(entry.m_dwPos) : "");
    json.Key("meaning").String(found ? entry.m_strMeaning : "");
    json.Key("position").UInt(found ? entry.m_nPos : 0);
    json.EndObject();
    return json.Text();
}

// Opens the dictionary as the path set-up command does; its message becomes the error.
bool Open(MiniDictionary& dictionary, ScriptedPrompts& prompts, const std::string& indexPath) {
    if (dictionary.OpenDictionary(indexPath) == 0) {
        return true;
    }
    if (prompts.Messages().empty()) {
        ToolError("the index file name needs a full stop: " + indexPath);
    } else {
        ToolError(prompts.Messages().back().substr(0, prompts.Messages().back().find('\n')) +
                  ": cannot open the file");
    }
    return false;
}

int Lookup(const ToolArgs& args) {
    const bool exact = args.size() == 3 && args[2] == "--exact";
    if (args.size() != 2 && !exact) {
        return ToolError("usage: dict lookup IDX WORD [--exact]");
    }
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    MiniDictionary dictionary(settings, prompts, "");
    if (!Open(dictionary, prompts, args[0])) {
        return 1;
    }
    CDicVoca entry(dictionary);
    const bool found = exact ? entry.LookupExact(args[1]) : entry.LookupWord(args[1]);
    std::cout << EntryLine(found, entry) << '\n';
    return 0;
}

int Step(const ToolArgs& args) {
    const bool directionGiven = args.size() >= 3 && (args[2] == "--next" || args[2] == "--prev");
    std::uint32_t steps = 1;
    if (args.size() == 4) {
        const std::string& text = args[3];
        auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), steps);
        if (ec != std::errc() || end != text.data() + text.size()) {
            return ToolError("N must be a count of steps: " + text);
        }
    }
    if (!directionGiven || args.size() > 4) {
        return ToolError("usage: dict step IDX WORD (--next|--prev) [N]");
    }
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    MiniDictionary dictionary(settings, prompts, "");
    if (!Open(dictionary, prompts, args[0])) {
        return 1;
    }
    CDicVoca entry(dictionary);
    if (!entry.LookupWord(args[1])) {
        std::cout << EntryLine(false, entry) << '\n';
        return 0;
    }
    const bool forward = args[2] == "--next";
    for (std::uint32_t k = 0; k < steps; ++k) {
        if (entry.Step(forward) != CDicVoca::kStepped) {
            JsonWriter end;
            end.BeginObject().Key("end").Bool(true).EndObject();
            std::cout << end.Text() << '\n';
            break;
        }
        std::cout << EntryLine(true, entry) << '\n';
    }
    return 0;
}

} // namespace

int RunDictCommand(const ToolArgs& args) {
    if (!args.empty()) {
        const ToolArgs rest(args.begin() + 1, args.end());
        if (args[0] == "build") {
            return Build(rest);
        }
        if (args[0] == "lookup") {
            return Lookup(rest);
        }
        if (args[0] == "step") {
            return Step(rest);
        }
    }
    return ToolError("usage: dict build|lookup|step ...");
}
