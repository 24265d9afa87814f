// earlark-tool check and mask: the transcription check and the Original Text mask, for
// teachers preparing material and for testing against lists of cases.
#include "AudioToolSupport.h"
#include "ToolCommands.h"

#include "document/CEarlarkWaveSection.h"
#include "platform/CodePage.h"
#include "view/TextMask.h"
#include "view/TranscriptionCompare.h"

#include <iostream>
#include <map>
#include <optional>
#include <set>

namespace {

// Options with a value and switches; false on anything else.
struct ParsedOptions {
    std::map<std::string, std::string> values;
    std::set<std::string> switches;
};

std::optional<ParsedOptions> ParseOptions(const ToolArgs& args,
                                          const std::set<std::string>& withValue,
                                          const std::set<std::string>& switches) {
    ParsedOptions parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (withValue.count(args[i]) && i + 1 < args.size()) {
            parsed.values[args[i]] = args[i + 1];
            ++i;
        } else if (switches.count(args[i])) {
            parsed.switches.insert(args[i]);
        } else {
            return std::nullopt;
        }
    }
    return parsed;
}

std::optional<std::uint32_t> NumberOption(const ParsedOptions& parsed, const std::string& name) {
    auto it = parsed.values.find(name);
    return it == parsed.values.end() ? std::optional<std::uint32_t>(0) : ParseUInt32(it->second);
}

} // namespace

int RunCheckCommand(const ToolArgs& args) {
    const char* usage = "usage: check --original TEXT --transcription TEXT [--case] [--punct]";
    auto parsed = ParseOptions(args, {"--original", "--transcription"}, {"--case", "--punct"});
    if (!parsed || !parsed->values.count("--original") ||
        !parsed->values.count("--transcription")) {
        return ToolError(usage);
    }
    const int result = TranscriptionCompare::FindFirstMismatch(
        codepage::Utf8ToUtf16(parsed->values["--transcription"]),
        codepage::Utf8ToUtf16(parsed->values["--original"]),
        {parsed->switches.count("--case") != 0, parsed->switches.count("--punct") != 0});
    std::cout << result << '\n';
    return 0;
}

int RunMaskCommand(const ToolArgs& args) {
    const char* usage = "usage: mask --original TEXT [--hint N] [--plays N] [--charset N]";
    auto parsed = ParseOptions(args, {"--original", "--hint", "--plays", "--charset"}, {});
    if (!parsed || !parsed->values.count("--original")) {
        return ToolError(usage);
    }
    const auto hint = NumberOption(*parsed, "--hint");
    const auto plays = NumberOption(*parsed, "--plays");
    const auto charSet = NumberOption(*parsed, "--charset");
    if (!hint || !plays || !charSet || *charSet > 255) {
        return ToolError(usage);
    }
    CEarlarkWaveSection sentence;
    sentence.m_strOriginal = codepage::Utf8ToUtf16(parsed->values["--original"]);
    sentence.m_nHintLevel = *hint;
    sentence.m_nPlayCount = *plays;
    std::cout << codepage::Utf16ToUtf8(TextMask::MaskOriginalText(
                     sentence, false, static_cast<std::uint8_t>(*charSet)))
              << '\n';
    return 0;
}
