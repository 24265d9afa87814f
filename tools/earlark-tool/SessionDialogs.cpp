#include "SessionDialogs.h"

#include "JsonWriter.h"

#include "partition/CAutoPartition.h"
#include "partition/HeadlessProgress.h"

bool SessionDialogs::Close(const char* dialog) {
    const bool ok = m_output.AnswerIsYes();
    JsonWriter json;
    json.BeginObject().Key("dialog").String(dialog);
    json.Key("answer").String(ok ? "ok" : "cancel").EndObject();
    m_output.PrintLine(json.Text());
    return ok;
}

bool SessionDialogs::Run(CAutoPartition& model) {
    if (m_factors) {
        const bool silenceTaken = model.SetSilence(m_factors->first);
        const bool loudnessTaken = model.SetLoudness(m_factors->second);
        m_factors.reset();
        HeadlessProgress progress;
        const bool completed = model.Partition(&progress);
        JsonWriter json;
        json.BeginObject().Key("partition").BeginObject();
        json.Key("silence").String(model.SilenceText()).Key("loudness").Int(model.Loudness());
        json.Key("factorsTaken").Bool(silenceTaken && loudnessTaken);
        json.Key("completed").Bool(completed).Key("sentences").Int(model.Count());
        json.EndObject().EndObject();
        m_output.PrintLine(json.Text());
    }
    if (!Close("Auto-Partition")) {
        return false;
    }
    model.Ok();
    return true;
}

std::optional<ExportScriptChoice> SessionDialogs::AskExport(int column) {
    if (!Close("Export Script")) {
        return std::nullopt;
    }
    ExportScriptChoice choice;
    choice.column = column;
    return choice;
}

std::optional<ScriptImportOptions> SessionDialogs::AskImport() {
    if (!Close("Import Script")) {
        return std::nullopt;
    }
    return ScriptImportOptions{};
}
