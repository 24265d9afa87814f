#include "SessionState.h"

#include "JsonWriter.h"

#include "document/CEarlarkDoc.h"
#include "platform/CodePage.h"
#include "view/CEarlarkMainView.h"
#include "view/HeadlessTextBox.h"

namespace {

void WriteQueue(JsonWriter& json, const ViewState& s) {
    json.Key("queue").BeginArray();
    for (const PlayItem& item : s.m_playQueue) {
        json.BeginObject();
        json.Key("start").UInt(item.start).Key("end").UInt(item.end);
        json.Key("curStart").UInt(item.curStart).Key("curEnd").UInt(item.curEnd);
        json.Key("mode").Int(item.mode).Key("kind").Int(item.kind).Key("rate").Int(item.rate);
        json.Key("playedCount").UInt(item.playedCount).Key("repetitions").UInt(item.repetitions);
        json.Key("intervalBytes").UInt(item.intervalBytes);
        json.EndObject();
    }
    json.EndArray();
}

void WriteSentences(JsonWriter& json, const CEarlarkDoc& doc) {
    json.Key("sentences").BeginArray();
    for (int i = 0; i < doc.m_sections.GetSize(); ++i) {
        const CEarlarkWaveSection& s = *doc.m_sections.GetAt(i);
        json.BeginObject();
        json.Key("start").UInt(s.m_nStart).Key("end").UInt(s.m_nEnd).Key("flags").UInt(s.m_nFlags);
        json.Key("playCount").UInt(s.m_nPlayCount).Key("hintLevel").UInt(s.m_nHintLevel);
        json.Key("listenWrite").String(codepage::Utf16ToUtf8(s.m_strListenWrite));
        json.Key("original").String(codepage::Utf16ToUtf8(s.m_strOriginal));
        json.Key("clipStart").UInt(s.m_nClipStart).Key("clipEnd").UInt(s.m_nClipEnd);
        json.EndObject();
    }
    json.EndArray();
}

const char* ListMode(const ViewState& s) {
    return s.m_highlightedOnly ? "highlighted" : s.m_randomOrder ? "random" : "all";
}

} // namespace

std::string SessionStateJson(const CEarlarkMainView& view, const HeadlessTextBox& listenWrite,
                             const HeadlessTextBox& original) {
    const ViewState& s = view.State();
    const CEarlarkDoc& doc = view.Doc();
    JsonWriter json;
    json.BeginObject();
    json.Key("row").Int(s.m_curIndex);
    json.Key("rows").BeginArray();
    for (int row = 0; row < s.rows.Count(); ++row) {
        json.Int(doc.m_sections.FindIndex(s.rows.At(row)));
    }
    json.EndArray();
    json.Key("playing").Bool(s.m_playing).Key("paused").Bool(s.m_paused);
    json.Key("playMode").Int(s.m_playMode).Key("rangeKind").Int(s.m_rangeKind);
    json.Key("groupFirst").Int(s.m_groupFirst).Key("groupLast").Int(s.m_groupLast);
    WriteQueue(json, s);
    json.Key("queuePos").Int(s.m_queuePos).Key("pausePos").UInt(s.m_pausePos);
    json.Key("timeOrigin").UInt(s.m_timeOrigin);
    json.Key("repeat").Int(doc.m_nRepeat).Key("interval").Int(doc.m_nInterval);
    json.Key("speed").Int(doc.m_nSpeed).Key("volume").Int(doc.m_nVolume);
    json.Key("displayFlags").UInt(doc.m_nDisplayFlags).Key("modified").Bool(doc.IsModified());
    json.Key("listMode").String(ListMode(s)).Key("clipPlaying").Bool(s.m_clipPlaying);
    json.Key("time").Int(s.m_timeShown == 0xFFFFFFFFu ? -1
                                                      : static_cast<std::int64_t>(s.m_timeShown));
    json.Key("lw").String(codepage::Utf16ToUtf8(listenWrite.Text()));
    json.Key("orig").String(codepage::Utf16ToUtf8(original.Text()));
    json.Key("lwSelection").BeginArray();
    json.Int(listenWrite.SelectionStart()).Int(listenWrite.SelectionEnd());
    json.EndArray();
    WriteSentences(json, doc);
    json.EndObject();
    return json.Text();
}
