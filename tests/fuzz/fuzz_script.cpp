// Any bytes as a text script: reading it into sentences, with and without the delimiter and
// in two code pages, must never crash or hang, and never store more texts than sentences.
#include "document/CEarlarkWaveSectionArray.h"
#include "document/ScriptImport.h"
#include "document/ScriptReader.h"

#include <cstdlib>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> bytes(data, data + size);
    for (std::uint8_t charSet : {std::uint8_t{0}, std::uint8_t{128}, std::uint8_t{129}}) {
        for (bool delimiter : {true, false}) {
            CEarlarkWaveSectionArray sentences;
            for (int i = 0; i < 5; ++i) {
                sentences.Add(std::make_unique<CEarlarkWaveSection>());
            }
            ScriptReader reader(bytes, charSet);
            if (ImportScriptTexts(reader, sentences, {false, delimiter}) > 5) {
                std::abort();
            }
        }
    }
    return 0;
}
