#include "document/ScriptImport.h"

#include "document/CEarlarkWaveSectionArray.h"
#include "document/ScriptReader.h"

#include <optional>

namespace {

std::u16string RestoreCarriageReturns(const std::u16string& text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'r') {
            out += u'\r';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

int ImportScriptTexts(ScriptReader& reader, CEarlarkWaveSectionArray& sentences,
                      const ScriptImportOptions& options) {
    std::u16string accumulator;
    int stored = 0;
    while (stored < sentences.GetSize()) {
        std::optional<std::u16string> text = reader.NextText();
        if (!text) {
            break;
        }
        // Only the newly appended text (and the character before it) can hold a new "//",
        // so joining a very long line stays linear.
        const std::size_t searchFrom = accumulator.empty() ? 0 : accumulator.size() - 1;
        accumulator += *text;
        if (options.delimiter) {
            const std::size_t delimiter = accumulator.find(u"//", searchFrom);
            if (delimiter == std::u16string::npos) {
                continue;
            }
            accumulator.resize(delimiter);
        }
        CEarlarkWaveSection* s = sentences.GetAt(stored);
        (options.original ? s->m_strOriginal : s->m_strListenWrite) =
            RestoreCarriageReturns(accumulator);
        accumulator.clear();
        ++stored;
    }
    return stored;
}
