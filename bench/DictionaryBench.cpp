// The Mini-Dictionary on real data: building the English dictionary from WordNet, and
// random word lookups in it as the popup makes them.
#include "dictionary/CDicVoca.h"
#include "dictionary/DicFileWriter.h"
#include "dictionary/MiniDictionary.h"
#include "dictionary/WordNetSource.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedPrompts.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <random>

namespace {

const char* kWordNet = "/usr/share/wordnet";
const std::string kIndex =
    (std::filesystem::temp_directory_path() / "earlark-bench-lexdic.idx").string();

bool BuildWordNetDictionary(std::string& error) {
    std::vector<DicSourceEntry> entries;
    if (!WordNetSource::Read(kWordNet, entries, error)) {
        return false;
    }
    error =
        DicFileWriter::Write(std::move(entries), kIndex, MiniDictionary::DataPathFor(kIndex), {});
    return error.empty();
}

void BM_BuildFromWordNet(benchmark::State& state) {
    for (auto _ : state) {
        std::string error;
        if (!BuildWordNetDictionary(error)) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
}
BENCHMARK(BM_BuildFromWordNet)->Iterations(1)->Unit(benchmark::kMillisecond);

// Every headword of the dictionary, gathered by stepping through it.
std::vector<std::string> AllHeadwords(CDicVoca& entry) {
    std::vector<std::string> words;
    if (entry.LookupWord("a")) {
        do {
            words.push_back(entry.m_strWord);
        } while (entry.Step(true) == CDicVoca::kStepped);
    }
    return words;
}

// 100,000 lookups: half of real headwords as a text would hold them (capitalised, with a
// comma, with an "s"), half of random letters, most of which have no entry.
void BM_LookupWord(benchmark::State& state) {
    std::string error;
    if (!std::filesystem::exists(kIndex) && !BuildWordNetDictionary(error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    MiniDictionary dictionary(settings, prompts, "");
    if (dictionary.OpenDictionary(kIndex) != 0) {
        state.SkipWithError("cannot open the dictionary");
        return;
    }
    CDicVoca entry(dictionary);
    const std::vector<std::string> headwords = AllHeadwords(entry);
    std::mt19937 random(1);
    std::vector<std::string> words;
    for (int k = 0; k < 100000; ++k) {
        std::string word = headwords[random() % headwords.size()];
        if (k % 2) {
            word.assign(3 + random() % 7, 'a');
            for (char& c : word) {
                c = static_cast<char>('a' + random() % 26);
            }
        } else if (k % 3 == 0) {
            word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
            word += ',';
        } else if (k % 5 == 0) {
            word += 's';
        }
        words.push_back(std::move(word));
    }
    std::int64_t found = 0;
    for (auto _ : state) {
        for (const std::string& word : words) {
            found += entry.LookupWord(word);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(words.size()));
    state.counters["found"] = static_cast<double>(found) / static_cast<double>(state.iterations());
    state.counters["headwords"] = static_cast<double>(headwords.size());
}
BENCHMARK(BM_LookupWord)->Unit(benchmark::kMillisecond);

} // namespace
