#include "export/Mp3ExportList.h"

#include "audio/SentencePadding.h"

#include "document/CEarlarkWaveSection.h"
#include "export/ExportMessages.h"
#include "export/Mp3ExportChoices.h"
#include "export/Mp3FileNames.h"
#include "platform/Prompts.h"

#include <algorithm>
#include <cstdio>

Mp3ExportList::Mp3ExportList(PauseRule pause, Prompts& prompts)
    : m_pause(std::move(pause)), m_prompts(prompts) {}

bool Mp3ExportList::Build(const std::vector<const CEarlarkWaveSection*>& sentences,
                          const Mp3ExportOptions& options, const Study& study,
                          const std::string& folder) {
    m_items.clear();
    m_files.clear();
    const auto positions = options.Positions();
    const int count = static_cast<int>(sentences.size());
    if (!positions || positions->second >= count) {
        m_prompts.ShowMessage(exportmsg::kInvalidOptions, PromptIcon::Warning);
        return Fail();
    }
    for (int position = positions->first; position <= positions->second; ++position) {
        const CEarlarkWaveSection* sentence = sentences[position];
        if (sentence != nullptr && !AddSentence(*sentence, position + 1, options, study, folder)) {
            return Fail();
        }
    }
    return true;
}

bool Mp3ExportList::AddSentence(const CEarlarkWaveSection& sentence, int position,
                                const Mp3ExportOptions& options, const Study& study,
                                const std::string& folder) {
    switch (options.option) {
    case Mp3ExportOptions::Option::Patterns:
        for (const mp3choices::PatternStep& step : mp3choices::PatternSteps(options.pattern)) {
            AddItem(sentence, study, step.rate, step.repetitions, step.value,
                    step.proportional != 0);
        }
        return true;
    case Mp3ExportOptions::Option::EachSentence:
        AddItem(sentence, study, 100, 1, 0, false);
        return AddFile(sentence, position, folder);
    case Mp3ExportOptions::Option::Current:
        AddItem(sentence, study, study.speed, static_cast<std::uint32_t>(std::max(study.repeat, 0)),
                study.interval, study.listenSpeak);
        return true;
    }
    return false;
}

void Mp3ExportList::AddItem(const CEarlarkWaveSection& sentence, const Study& study, int rate,
                            std::uint32_t repetitions, int value, bool proportional) {
    PlayItem item;
    item.start = sentence.m_nStart;
    item.end = sentence.m_nEnd;
    SentencePadding::Apply(item.start, item.end, study.padding, study.dataSize);
    item.curStart = item.start;
    item.curEnd = item.end;
    item.rate = rate;
    item.repetitions = repetitions;
    item.intervalBytes = m_pause(item.start, item.end, value, proportional);
    m_items.push_back(item);
}

// The sentence's own name when a file of that name can be made; otherwise its number, after
// the learner agrees.
bool Mp3ExportList::AddFile(const CEarlarkWaveSection& sentence, int position,
                            const std::string& folder) {
    mp3names::Target target = mp3names::SentencePath(folder, sentence.m_strListenWrite, position);
    if (!mp3names::CanCreate(target.path)) {
        target.path = mp3names::NumberedPath(folder, position);
        char question[512];
        std::snprintf(question, sizeof question, exportmsg::kSpecialCharacters, position);
        if (m_prompts.AskYesNo(question) != PromptAnswer::Yes) {
            return false;
        }
    }
    m_files.push_back(target.path);
    return true;
}

bool Mp3ExportList::Fail() {
    m_items.clear();
    m_files.clear();
    return false;
}
