#include "export/Mp3FileNames.h"
#include "export/Mp3ExportSize.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(Mp3FileNames, SentenceTextsBecomeNamesOrNumbers) {
    struct Case {
        std::u16string text;
        int position;
        std::string expected; // relative to the folder
        bool numbered;
    };
    const std::u16string longText(300, u'a');
    const std::vector<Case> cases = {
        {u"  Where are you?\r\n", 1, "Where are you\xEF\xBC\x9F.mp3", false},
        {u"a\"b/c:d<e>f?g\\h|i", 2,
         "a\xEF\xBC\x82"
         "b\xEF\xBC\x8F"
         "c\xEF\xBC\x9A"
         "d\xEF\xBC\x9C"
         "e\xEF\xBC\x9E"
         "f\xEF\xBC\x9F"
         "g\xEF\xBF\xA6"
         "h\xEF\xBD\x9C"
         "i.mp3",
         false},
        {u"", 7, "007.mp3", true},
        {u" \t ", 12, "012.mp3", true},
        {longText, 1234, "1234.mp3", true},
        {std::u16string(u"a\0b", 3), 5, "005.mp3", true},
        {u"\uC548\uB155", 3, "\xEC\x95\x88\xEB\x85\x95.mp3", false},
    };
    for (const Case& c : cases) {
        const mp3names::Target target = mp3names::SentencePath("/out", c.text, c.position);
        EXPECT_EQ(target.path, "/out/" + c.expected) << c.position;
        EXPECT_EQ(target.numbered, c.numbered) << c.position;
    }
    EXPECT_EQ(mp3names::CurrentSentenceName({u" Go.", u"Now."}), "Go. Now..");
    EXPECT_EQ(mp3names::CurrentSentenceName({u"Why?"}), "Why\xEF\xBC\x9F");
}

TEST(Mp3FileNames, ProbeNeverHarmsAnExistingFile) {
    TempDir dir;
    const std::string existing = dir.Write("kept.mp3", {1, 2, 3});
    EXPECT_TRUE(mp3names::CanCreate(existing));
    EXPECT_EQ(TempDir::Read(existing), (std::vector<std::uint8_t>{1, 2, 3}));
    EXPECT_TRUE(mp3names::CanCreate(dir.Path("new.mp3")));
    EXPECT_FALSE(std::filesystem::exists(dir.Path("new.mp3")));
    EXPECT_FALSE(mp3names::CanCreate(dir.Path("missing/new.mp3")));
    EXPECT_FALSE(mp3names::CanCreate(dir.Folder().string()));
}

TEST(Mp3ExportSize, EstimateRoundsAndScalesByRate) {
    const auto item = [](std::uint32_t length, std::uint32_t interval, std::uint32_t reps,
                         int rate) {
        PlayItem p;
        p.start = 1000;
        p.end = 1000 + length;
        p.intervalBytes = interval;
        p.repetitions = reps;
        p.rate = rate;
        return p;
    };
    // (100 + 50) * 2 * 100 / 80 = 375; 10 * 100 / 33 = 30.3; repetition 0 renders nothing.
    EXPECT_EQ(
        mp3size::RenderedBytes({item(100, 50, 2, 80), item(10, 0, 1, 33), item(500, 500, 0, 100)}),
        375u + 30u);
    EXPECT_EQ(mp3size::RenderedBytes({item(1, 0, 1, 0)}), 3u) << "rate 0 counts as 33";
    const WaveFormat cd{WaveFormat::kPcm, 2, 44100, 176400, 4, 16};
    EXPECT_EQ(mp3size::EncodedBytes(176400 * 60, 48, cd), 360000u);
    EXPECT_EQ(mp3size::EncodedBytes(100, 8, cd), 1u) << "0.567 rounds up";
    EXPECT_EQ(mp3size::RequiredBytes(360001), 540001u);

    TempDir dir;
    EXPECT_TRUE(mp3size::HasSpaceFor(dir.Path("out.mp3"), 1048575));
    EXPECT_FALSE(mp3size::HasSpaceFor(dir.Path("out.mp3"), std::uint64_t{1} << 62));
    EXPECT_TRUE(mp3size::HasSpaceFor(dir.Path("missing/deeper/out.mp3"), 0));
}

} // namespace
