#pragma once

#include "platform/FileDialogs.h"
#include "platform/Prompts.h"
#include "view/ViewPorts.h"

#include <iosfwd>
#include <optional>
#include <string>

// What a headless session prints, one JSON object per line: the play requests and stops
// of the view, every message box and every question with the answer the script gave.
// Questions take the script's answer (yes until told otherwise); file dialogs take the
// path the script gave for the next one, or are cancelled.
class SessionOutput : public Prompts, public FileDialogs, public ViewObserver {
public:
    explicit SessionOutput(std::ostream& out) : m_out(out) {}

    void ShowMessage(const std::string& text, PromptIcon icon) override;
    PromptAnswer AskYesNo(const std::string& text) override;
    PromptAnswer AskYesNoCancel(const std::string& text) override;

    std::optional<std::string> GetOpenFileName(const FileDialogRequest& request) override;
    std::optional<std::string> GetSaveFileName(const FileDialogRequest& request) override;

    void OnPlayRange(std::uint32_t start, std::uint32_t end, std::uint32_t interval,
                     int rate) override;
    void OnStop() override;
    void OnRangeFinished() override { ++m_rangesFinished; }

    void SetAnswer(bool yes) { m_answerYes = yes; }
    bool AnswerIsYes() const { return m_answerYes; }
    void SetNextFile(std::string path) { m_nextFile = std::move(path); }
    int RangesFinished() const { return m_rangesFinished; }
    void PrintLine(const std::string& json);

private:
    PromptAnswer Answer(const std::string& text);
    std::optional<std::string> TakeFile();

    std::ostream& m_out;
    bool m_answerYes = true;
    std::optional<std::string> m_nextFile;
    int m_rangesFinished = 0;
};
