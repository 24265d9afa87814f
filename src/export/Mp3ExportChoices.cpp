#include "export/Mp3ExportChoices.h"

namespace {

constexpr std::array<int, mp3choices::kFormatCount> kBitRates = {8,  16,  32,  48,  64,
                                                                 96, 128, 192, 256, 320};

using Step = mp3choices::PatternStep;
constexpr Step kNormalShort{1, 100, 0, 2};
constexpr Step kSlowShort{1, 80, 0, 2};
constexpr Step kSlowerShort{1, 90, 0, 2};
constexpr Step kSlowSpoken{1, 80, 2, 2};
constexpr Step kSlowerSpoken{1, 90, 2, 2};
constexpr Step kNormalSpoken{1, 100, 2, 2};

constexpr std::array<Step, 3> kSpeakThree = {kNormalShort, kSlowSpoken, kNormalSpoken};
constexpr std::array<Step, 4> kSpeakFour = {kNormalShort, kSlowSpoken, kSlowerSpoken,
                                            kNormalSpoken};
constexpr std::array<Step, 3> kListenThree = {kNormalShort, kSlowShort, kNormalShort};
constexpr std::array<Step, 4> kListenFour = {kNormalShort, kSlowShort, kSlowerShort, kNormalShort};

constexpr std::array<const char*, mp3choices::kPatternCount> kPatternTexts = {
    "Listen-and-Speak (Normal-Slow-Normal)", "Listen-and-Speak (Normal-Slow-Slow-Normal)",
    "Listen Only (Normal-Slow-Normal)", "Listen Only (Normal-Slow-Slow-Normal)"};

bool IsFormat(int index) {
    return index >= 0 && index < mp3choices::kFormatCount;
}

} // namespace

namespace mp3choices {

std::string FormatText(int index) {
    if (!IsFormat(index)) {
        return {};
    }
    const std::string rate = std::to_string(kBitRates[index]) + " kbps";
    return "MP3 (" + rate + (index == kDefaultFormat ? ", default)" : ")");
}

int BitRate(int index) {
    return IsFormat(index) ? kBitRates[index] : kDefaultBitRate;
}

std::string CurrentSentenceFilter() {
    std::string filter;
    for (int rate : kBitRates) {
        filter += "MP3 (" + std::to_string(rate) + " kbps) (*.mp3)|*.mp3|";
    }
    return filter + "|";
}

std::string PatternText(int index) {
    return index >= 0 && index < kPatternCount ? kPatternTexts[index] : "";
}

std::span<const PatternStep> PatternSteps(int index) {
    switch (index) {
    case 0:
        return kSpeakThree;
    case 1:
        return kSpeakFour;
    case 2:
        return kListenThree;
    case 3:
        return kListenFour;
    default:
        return {};
    }
}

} // namespace mp3choices
