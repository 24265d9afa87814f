#pragma once

#include <optional>
#include <utility>

// The choices of the export dialog ("Export to a new MP3 file") and the rules that enable
// its controls, apart from the widgets that show them.
class Mp3ExportOptions {
public:
    // Control identifiers of the dialog.
    static constexpr int kFormatCombo = 1204;
    static constexpr int kExportAll = 1116;
    static constexpr int kExportRange = 1117;
    static constexpr int kFirstEdit = 1121;
    static constexpr int kFirstSpin = 1111;
    static constexpr int kLastEdit = 1220;
    static constexpr int kLastSpin = 1227;
    static constexpr int kUseCurrent = 1118;
    static constexpr int kUsePatterns = 1119;
    static constexpr int kEachSentence = 1120;
    static constexpr int kPatternCombo = 1222;
    static constexpr int kExportButton = 1225;
    static constexpr int kCancelButton = 1226;

    enum class Option { Current, Patterns, EachSentence };

    // As the dialog opens: the stored format, "Export all", the current settings, pattern 0;
    // the spins run from 1 to the sentence count.
    Mp3ExportOptions(int storedFormat, int sentenceCount);

    // A click on one of the radio buttons 1116 to 1120; other identifiers change nothing.
    void ClickRadio(int id);
    bool IsChecked(int radioId) const;
    bool IsEnabled(int controlId) const;
    int SpinLower() const { return 1; }
    int SpinUpper() const { return m_sentenceCount; }

    // The 0-based positions of the first and last sentence to export, or nothing when the
    // range or the pattern selection is not valid.
    std::optional<std::pair<int, int>> Positions() const;

    int formatIndex;
    bool useRange = false;
    int first = 1; // 1-based, as typed
    int last = 1;
    Option option = Option::Current;
    int pattern = 0;

private:
    int m_sentenceCount;
};
