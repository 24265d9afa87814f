#include "SessionOutput.h"

#include "JsonWriter.h"

#include <ostream>

void SessionOutput::PrintLine(const std::string& json) {
    m_out << json << '\n';
    m_out.flush();
}

void SessionOutput::ShowMessage(const std::string& text, PromptIcon) {
    JsonWriter json;
    json.BeginObject().Key("message").String(text).EndObject();
    PrintLine(json.Text());
}

PromptAnswer SessionOutput::Answer(const std::string& text) {
    JsonWriter json;
    json.BeginObject().Key("question").String(text);
    json.Key("answer").String(m_answerYes ? "yes" : "no").EndObject();
    PrintLine(json.Text());
    return m_answerYes ? PromptAnswer::Yes : PromptAnswer::No;
}

PromptAnswer SessionOutput::AskYesNo(const std::string& text) {
    return Answer(text);
}

PromptAnswer SessionOutput::AskYesNoCancel(const std::string& text) {
    return Answer(text);
}

std::optional<std::string> SessionOutput::TakeFile() {
    std::optional<std::string> path = std::move(m_nextFile);
    m_nextFile.reset();
    return path;
}

std::optional<std::string> SessionOutput::GetOpenFileName(const FileDialogRequest&) {
    return TakeFile();
}

std::optional<std::string> SessionOutput::GetSaveFileName(const FileDialogRequest&) {
    return TakeFile();
}

void SessionOutput::OnPlayRange(std::uint32_t start, std::uint32_t end, std::uint32_t interval,
                                int rate) {
    JsonWriter json;
    json.BeginObject().Key("play").BeginObject();
    json.Key("start").UInt(start).Key("end").UInt(end).Key("interval").UInt(interval);
    json.Key("rate").Int(rate).EndObject().EndObject();
    PrintLine(json.Text());
}

void SessionOutput::OnStop() {
    JsonWriter json;
    json.BeginObject().Key("stop").Bool(true).EndObject();
    PrintLine(json.Text());
}
