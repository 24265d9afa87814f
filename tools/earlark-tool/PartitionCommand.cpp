// earlark-tool partition: the auto-partition search over one PCM wave file, one sentence per
// line as "start<TAB>end" (byte offsets from the first data byte, end inclusive).
#include "AudioToolSupport.h"
#include "ToolCommands.h"

#include "partition/PartitionRecording.h"

#include <cstdio>

namespace {

constexpr const char* kUsage = "usage: partition WAV [--duration Q] [--level L]";

struct PartitionArgs {
    std::string path;
    int quarters = 8;
    int level = 10;
};

std::optional<PartitionArgs> Parse(const ToolArgs& args) {
    PartitionArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if ((args[i] == "--duration" || args[i] == "--level") && hasValue) {
            const std::optional<std::uint32_t> value = ParseUInt32(args[i + 1]);
            if (!value || *value > 1000) {
                return std::nullopt;
            }
            (args[i] == "--duration" ? parsed.quarters : parsed.level) = static_cast<int>(*value);
            ++i;
        } else if (parsed.path.empty() && args[i].rfind("--", 0) != 0) {
            parsed.path = args[i];
        } else {
            return std::nullopt;
        }
    }
    if (parsed.path.empty() || parsed.quarters < 1) {
        return std::nullopt;
    }
    return parsed;
}

} // namespace

int RunPartitionCommand(const ToolArgs& args) {
    const std::optional<PartitionArgs> parsed = Parse(args);
    if (!parsed) {
        return ToolError(kUsage);
    }
    CWaveEngine engine;
    const int opened = engine.OpenWaveFile(parsed->path);
    if (opened != 0) {
        return ToolError(DescribeOpenFailure(parsed->path, opened));
    }
    if (engine.DataSize() == 0) {
        return ToolError(parsed->path + ": the data chunk is empty");
    }
    PartitionResult result = PartitionRecording(engine, parsed->quarters, parsed->level, nullptr);
    engine.CloseWaveFile();
    if (result.sentences.empty()) {
        result.sentences.push_back({0, engine.DataSize() - 1});
    }
    std::string out;
    for (const SentenceRange& s : result.sentences) {
        out += std::to_string(s.start) + '\t' + std::to_string(s.end) + '\n';
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    return 0;
}
