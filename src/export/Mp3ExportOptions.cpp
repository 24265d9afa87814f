#include "export/Mp3ExportOptions.h"

#include "export/Mp3ExportChoices.h"

Mp3ExportOptions::Mp3ExportOptions(int storedFormat, int sentenceCount)
    : formatIndex(storedFormat), last(sentenceCount), m_sentenceCount(sentenceCount) {}

void Mp3ExportOptions::ClickRadio(int id) {
    switch (id) {
    case kExportAll:
        useRange = false;
        break;
    case kExportRange:
        useRange = true;
        break;
    case kUseCurrent:
        option = Option::Current;
        break;
    case kUsePatterns:
        option = Option::Patterns;
        break;
    case kEachSentence:
        option = Option::EachSentence;
        break;
    default:
        break;
    }
}

bool Mp3ExportOptions::IsChecked(int radioId) const {
    switch (radioId) {
    case kExportAll:
        return !useRange;
    case kExportRange:
        return useRange;
    case kUseCurrent:
        return option == Option::Current;
    case kUsePatterns:
        return option == Option::Patterns;
    case kEachSentence:
        return option == Option::EachSentence;
    default:
        return false;
    }
}

bool Mp3ExportOptions::IsEnabled(int controlId) const {
    switch (controlId) {
    case kFirstEdit:
    case kFirstSpin:
    case kLastEdit:
    case kLastSpin:
        return useRange;
    case kPatternCombo:
        return option == Option::Patterns;
    default:
        return true;
    }
}

std::optional<std::pair<int, int>> Mp3ExportOptions::Positions() const {
    if (pattern < 0 || pattern >= mp3choices::kPatternCount) {
        return std::nullopt;
    }
    if (!useRange) {
        return std::pair{0, m_sentenceCount - 1};
    }
    if (last < first || first <= 0 || last > m_sentenceCount) {
        return std::nullopt;
    }
    return std::pair{first - 1, last - 1};
}
