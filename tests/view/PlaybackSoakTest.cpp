// The study view playing in-process on the manual-clock device: a long auto-play run, and
// the attached clip.
#include "app/StudyAudio.h"
#include "document/CEarlarkDoc.h"
#include "platform/ManualClockWaveOutDevice.h"
#include "platform/MemorySettingsStore.h"
#include "platform/PumpedMessageQueue.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedPrompts.h"
#include "platform/SettingsTable.h"
#include "support/Bytes.h"
#include "support/HeadlessStudyView.h"
#include "support/TempDir.h"
#include "view/CEarlarkMainView.h"
#include "view/HeadlessDisplays.h"
#include "view/HeadlessForm.h"
#include "view/HeadlessSentenceList.h"
#include "view/HeadlessTextBox.h"
#include "view/ViewCommandIds.h"

#include <gtest/gtest.h>
#include <malloc.h>
#include <tuple>

namespace {

constexpr std::uint32_t kSentenceBytes = 4000;

class Counter : public ViewObserver {
public:
    void OnPlayRange(std::uint32_t start, std::uint32_t end, std::uint32_t, int) override {
        ++plays;
        lastStart = start;
        lastEnd = end;
    }
    void OnStop() override { ++stops; }
    void OnRangeFinished() override { ++finished; }
    int plays = 0;
    int stops = 0;
    int finished = 0;
    std::uint32_t lastStart = 0;
    std::uint32_t lastEnd = 0;
};

// 8 kHz 16-bit mono of a slow ramp, so that the stretcher has something to work on.
class PlayingView : public ::testing::Test, protected HeadlessStudyView {
protected:
    void Load(int sentences) {
        const std::uint32_t size = sentences * kSentenceBytes;
        Bytes b;
        b.Raw("RIFF").U32(36 + size).Raw("WAVE").Raw("fmt ").U32(16);
        b.U16(1).U16(1).U32(8000).U32(16000).U16(2).U16(16);
        b.Raw("data").U32(size);
        for (std::uint32_t i = 0; i < size / 2; ++i) {
            b.U16(static_cast<std::uint16_t>((i * 37) % 20000));
        }
        doc.m_strAudioPath = dir.Write("audio.wav", b.Data());
        for (int i = 0; i < sentences; ++i) {
            auto record = std::make_unique<CEarlarkWaveSection>();
            record->m_nStart = i * kSentenceBytes;
            record->m_nEnd = (i + 1) * kSentenceBytes - 1;
            doc.m_sections.Add(std::move(record));
        }
        doc.m_player.SetOutputDevice(&device);
        audio.Import().SetConvertedPath(dir.Path("__EARLARK__"));
        view.SetObserver(&counter);
        view.OnInitialUpdate();
    }

    // One buffer finished and everything it set off handled.
    void Step() {
        device.FinishHeadBuffer();
        queue.RunPending();
        int id = 0;
        while (form.TakePosted(id)) {
            view.OnCommand(id);
        }
    }

    TempDir dir;
    Counter counter;
};

TEST_F(PlayingView, AutoPlaySoakAccountsForEveryPass) {
    constexpr int kSentences = 200;
    constexpr int kLaps = 3;
    Load(kSentences);
    doc.m_nSpeed = 150;
    doc.m_nRepeat = 2;
    view.OnCommand(cmd::kAutoPlay);
    ASSERT_TRUE(view.State().m_playing);
    std::size_t heapAfterFirstLap = 0;
    for (int pass = 0; pass < kLaps * kSentences * 2; ++pass) {
        const int before = counter.finished;
        while (counter.finished == before) {
            ASSERT_GT(device.QueuedCount(), 0u) << "pass " << pass << " ended without finishing";
            Step();
            // Every buffer the engine prepared is either queued in the device or was
            // returned and unprepared.
            ASSERT_EQ(device.PreparedCount(), static_cast<int>(device.QueuedCount()));
        }
        if (pass == kSentences * 2 - 1) {
            heapAfterFirstLap = mallinfo2().uordblks;
        }
    }
    EXPECT_EQ(counter.finished, kLaps * kSentences * 2);
    EXPECT_EQ(counter.plays, counter.finished + 1);
    EXPECT_EQ(view.State().m_curIndex, 0);
    for (int i = 0; i < kSentences; ++i) {
        EXPECT_EQ(doc.m_sections.GetAt(i)->m_nPlayCount, 2u * kLaps) << i;
    }
    // Two more laps of the same work leave the heap where the first lap left it.
    const std::size_t heapNow = mallinfo2().uordblks;
    EXPECT_LT(heapNow, heapAfterFirstLap + 64 * 1024);
    view.OnCommand(cmd::kStop);
    EXPECT_EQ(device.PreparedCount(), 0);
    EXPECT_FALSE(doc.m_player.IsOutputOpen());
}

TEST_F(PlayingView, SentencesPlayWithTheirPaddingWithinTheData) {
    Load(3);
    // 100 ms of 16,000 bytes a second: 1,600 bytes at each end.
    settings::kPadding.Write(settings, 100);
    for (auto [row, start, end] :
         {std::tuple{0, 0u, 5599u}, std::tuple{1, 2400u, 9599u}, std::tuple{2, 6400u, 11999u}}) {
        view.OnListSelect(row);
        EXPECT_EQ(counter.lastStart, start) << row;
        EXPECT_EQ(counter.lastEnd, end) << row;
    }
    EXPECT_EQ(doc.m_sections.GetAt(1)->m_nStart, 4000u) << "the stored boundaries stay";
}

TEST_F(PlayingView, TheAttachedClipPlaysOnceWithTheTimeBlank) {
    Load(3);
    CEarlarkWaveSection& first = *doc.m_sections.GetAt(0);
    first.m_nClipStart = 6000;
    first.m_nClipEnd = 8000;
    view.OnCommand(cmd::kPlayClip);
    EXPECT_TRUE(view.State().m_clipPlaying);
    EXPECT_EQ(displays.time, 0xFFFFFFFFu);
    EXPECT_EQ(counter.plays, 1);
    while (device.QueuedCount() > 0) {
        Step();
        EXPECT_EQ(displays.time, device.QueuedCount() > 0 ? 0xFFFFFFFFu : 0u);
    }
    EXPECT_FALSE(view.State().m_playing);
    EXPECT_FALSE(view.State().m_clipPlaying);
    EXPECT_EQ(first.m_nPlayCount, 0u);

    // During whole-recording play the clip button only ends the range play.
    view.OnCommand(cmd::kPlayWhole);
    const int plays = counter.plays;
    view.OnCommand(cmd::kPlayClip);
    EXPECT_EQ(counter.plays, plays);
    EXPECT_FALSE(view.State().m_playing);
    EXPECT_EQ(view.State().m_playMode, 0);

    // A clip whose start is not before its end is not played.
    first.m_nClipStart = 8000;
    view.OnCommand(cmd::kPlayClip);
    EXPECT_EQ(counter.plays, plays);
}

} // namespace
