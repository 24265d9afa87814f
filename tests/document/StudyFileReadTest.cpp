// Reading study files of every version, and damaged ones, as the program does.
#include "document/CEarlarkDoc.h"
#include "document/StudyMessages.h"
#include "platform/ScriptedPrompts.h"
#include "support/Bytes.h"
#include "support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

// The document fields a file of the given version holds, before the sentence array.
Bytes Header(std::uint32_t version, std::string_view audio = "a.wav") {
    Bytes b;
    b.U32(version).I32(103).Narrow(audio);
    if (version >= 101) {
        b.I32(4).I32(40000).I32(7).I32(12); // cur, volume, repeat, interval
    }
    if (version >= 150) {
        b.I32(150);
    }
    if (version >= 153) {
        b.U32(0x30F);
    }
    if (version >= 350) {
        b.U8(129).Wide(u"Gulim").I32(-20).U32(3);
        b.U32(0x111111).U32(0x222222).U32(0x333333).U32(0x444444).U32(0).U32(0x666666);
    }
    return b;
}

void Record(Bytes& b, std::uint32_t version, std::uint32_t start, std::u16string_view text) {
    b.U32(start).U32(start + 99).U32(0x81).Wide(u"typed").Wide(text).Wide(u"third");
    b.U32(5).U32(6).I32(-7).I32(8).U32(9).U32(2);
    if (version >= 400) {
        b.Wide(u"fourth");
    }
}

void FirstTag(Bytes& b, std::uint16_t schema = 1, std::string_view name = "CEarlarkWaveSection") {
    b.U16(0xFFFF).U16(schema).U16(static_cast<std::uint16_t>(name.size())).Raw(name);
}

class StudyFileRead : public ::testing::Test {
protected:
    StudyFileRead() { m_doc.SetPrompts(&m_prompts); }

    bool Open(const Bytes& bytes) {
        return m_doc.OnOpenDocument(m_dir.Write("s.ekd", bytes.Data()));
    }

    void ExpectFailureReported() {
        ASSERT_EQ(m_prompts.Messages().size(), 1u);
        EXPECT_EQ(m_prompts.Messages()[0], study_messages::FileFailure(m_dir.Path("s.ekd")));
        EXPECT_EQ(m_doc.m_sections.GetSize(), 0);
    }

    TempDir m_dir;
    ScriptedPrompts m_prompts;
    CEarlarkDoc m_doc;
};

TEST_F(StudyFileRead, Version100HasOnlyViewKindAndAudioPath) {
    ASSERT_TRUE(Open(Header(100)));
    EXPECT_EQ(m_doc.m_nViewKind, 103);
    EXPECT_EQ(m_doc.m_strAudioPath, "a.wav");
    EXPECT_EQ(m_doc.m_nRepeat, 3);
    EXPECT_EQ(m_doc.m_nVolume, 128);
    EXPECT_EQ(m_doc.m_nVersion, 420);
}

TEST_F(StudyFileRead, VersionThresholdsDecideWhichFieldsAreRead) {
    ASSERT_TRUE(Open(Header(101)));
    EXPECT_EQ(m_doc.m_nCurSentence, 4);
    EXPECT_EQ(m_doc.m_nVolume, 40000);
    EXPECT_EQ(m_doc.m_nRepeat, 7);
    EXPECT_EQ(m_doc.m_nInterval, 12);
    EXPECT_EQ(m_doc.m_nSpeed, 100);

    ASSERT_TRUE(Open(Header(150)));
    EXPECT_EQ(m_doc.m_nSpeed, 100) << "speeds before 360 are replaced";
    EXPECT_EQ(m_doc.m_nDisplayFlags, 0u);

    ASSERT_TRUE(Open(Header(153)));
    EXPECT_EQ(m_doc.m_nDisplayFlags, 0x30Fu);
}

TEST_F(StudyFileRead, Version349KeepsFontAndColoursAndHasNoSentences) {
    ASSERT_TRUE(Open(Header(349)));
    EXPECT_EQ(m_doc.m_nDisplayFlags, 0x30Fu);
    EXPECT_EQ(m_doc.m_strFontFace, u"Arial");
    EXPECT_EQ(m_doc.m_nFontHeight, -16);
    EXPECT_EQ(m_doc.m_colors[0], 0x00CEDEE7u);
    EXPECT_EQ(m_doc.m_sections.GetSize(), 0);

    // Saved again, it is a complete version 420 file.
    std::vector<std::uint8_t> saved = m_doc.ToBytes();
    EXPECT_EQ(saved[0], 0xA4);
    EXPECT_EQ(saved[1], 0x01);
    CEarlarkDoc again;
    ASSERT_TRUE(again.OnOpenDocument(m_dir.Write("again.ekd", saved)));
    EXPECT_EQ(again.m_nDisplayFlags, 0x30Fu);
    EXPECT_EQ(again.m_strFontFace, u"Arial");
}

TEST_F(StudyFileRead, SpeedIsKeptFromVersion360) {
    Bytes v355 = Header(355);
    v355.U16(0);
    ASSERT_TRUE(Open(v355));
    EXPECT_EQ(m_doc.m_nSpeed, 100);

    Bytes v360 = Header(360);
    v360.U16(0);
    ASSERT_TRUE(Open(v360));
    EXPECT_EQ(m_doc.m_nSpeed, 150);
}

TEST_F(StudyFileRead, Version350FontColoursAndTheirOverrides) {
    Bytes b = Header(350);
    b.U16(0);
    ASSERT_TRUE(Open(b));
    EXPECT_EQ(m_doc.m_nCharSet, 129);
    EXPECT_EQ(m_doc.m_strFontFace, u"Gulim");
    EXPECT_EQ(m_doc.m_nFontHeight, -20);
    EXPECT_EQ(m_doc.m_nFontStyle, 3u);
    EXPECT_EQ(m_doc.m_colors[0], 0x111111u);
    EXPECT_EQ(m_doc.m_colors[2], 0x333333u);
    // Backgrounds always come from the skin; an editing colour of 0 becomes yellow.
    EXPECT_EQ(m_doc.m_colors[1], 0x009D542Cu);
    EXPECT_EQ(m_doc.m_colors[3], 0x009D542Cu);
    EXPECT_EQ(m_doc.m_colors[5], 0x009D542Cu);
    EXPECT_EQ(m_doc.m_colors[4], 0x0000FFFFu);
}

TEST_F(StudyFileRead, Version399SentencesHaveNoFourthTextAndSaveWithAnEmptyOne) {
    Bytes b = Header(399);
    b.U16(2);
    FirstTag(b);
    Record(b, 399, 0, u"one");
    b.U16(0x8001);
    Record(b, 399, 100, u"two");
    ASSERT_TRUE(Open(b));
    ASSERT_EQ(m_doc.m_sections.GetSize(), 2);
    const CEarlarkWaveSection& second = *m_doc.m_sections.GetAt(1);
    EXPECT_EQ(second.m_nStart, 100u);
    EXPECT_EQ(second.m_nEnd, 199u);
    EXPECT_EQ(second.m_nFlags, 0x81u);
    EXPECT_EQ(second.m_strListenWrite, u"typed");
    EXPECT_EQ(second.m_strOriginal, u"two");
    EXPECT_EQ(second.m_strSpare1, u"third");
    EXPECT_EQ(second.m_strSpare2, u"");
    EXPECT_EQ(second.m_nClipStart, 5u);
    EXPECT_EQ(second.m_nClipEnd, 6u);
    EXPECT_EQ(second.m_nSpare[0], -7);
    EXPECT_EQ(second.m_nSpare[1], 8);
    EXPECT_EQ(second.m_nPlayCount, 9u);
    EXPECT_EQ(second.m_nHintLevel, 2u);

    // Resaved: each record now ends with an empty fourth text (FF FE FF 00).
    std::vector<std::uint8_t> saved = m_doc.ToBytes();
    std::vector<std::uint8_t> tail(saved.end() - 8, saved.end());
    EXPECT_EQ(tail, (std::vector<std::uint8_t>{2, 0, 0, 0, 0xFF, 0xFE, 0xFF, 0x00}));
}

TEST_F(StudyFileRead, Version420ReadsTheFourthText) {
    Bytes b = Header(420);
    b.U16(1);
    FirstTag(b);
    Record(b, 420, 0, u"one");
    ASSERT_TRUE(Open(b));
    EXPECT_EQ(m_doc.m_sections.GetAt(0)->m_strSpare2, u"fourth");
}

TEST_F(StudyFileRead, VersionsAreComparedUnsigned) {
    // 0xFFFFFFFF is a very large version, not -1: every field is read.
    Bytes b = Header(0xFFFFFFFF);
    b.U16(1);
    FirstTag(b);
    Record(b, 420, 0, u"x");
    ASSERT_TRUE(Open(b));
    EXPECT_EQ(m_doc.m_nSpeed, 150);
    EXPECT_EQ(m_doc.m_sections.GetAt(0)->m_strSpare2, u"fourth");
}

TEST_F(StudyFileRead, NarrowTextsInAnyFieldAreDecodedWithTheCharacterSet) {
    Bytes b;
    b.U32(420).I32(103).U8(0xFF).U16(0xFFFE).U8(1).U16(u'/'); // wide text in the narrow field
    b.I32(0).I32(128).I32(3).I32(3).I32(100).U32(0);
    b.U8(129).Narrow("\xB1\xBC\xB8\xB2").I32(-16).U32(0); // "굴림" in CP949, narrow form
    for (int i = 0; i < 6; ++i) {
        b.U32(0xFF);
    }
    b.U16(1);
    FirstTag(b);
    b.U32(0).U32(9).U32(0).Narrow("\xC7\xD1").Narrow("plain").Wide(u"");
    b.U32(0).U32(0).I32(0).I32(0).U32(0).U32(0).Narrow("");
    ASSERT_TRUE(Open(b));
    EXPECT_EQ(m_doc.m_strAudioPath, "/");
    EXPECT_EQ(m_doc.m_strFontFace, u"\uad74\ub9bc");
    EXPECT_EQ(m_doc.m_sections.GetAt(0)->m_strListenWrite, u"\ud55c");
    EXPECT_EQ(m_doc.m_sections.GetAt(0)->m_strOriginal, u"plain");
}

TEST_F(StudyFileRead, LegacyAudioPathUsesTheCharacterSetStoredAfterIt) {
    Bytes b = Header(360, "C:\\\xC7\xD1.wav");
    b.U16(0);
    ASSERT_TRUE(Open(b));
    EXPECT_EQ(m_doc.m_strAudioPath, "C:\\\xED\x95\x9C.wav");
}

TEST_F(StudyFileRead, AnEmptyFileIsAResetStudy) {
    ASSERT_TRUE(Open(Bytes()));
    EXPECT_TRUE(m_prompts.Messages().empty());
    EXPECT_EQ(m_doc.m_nViewKind, 0);
    EXPECT_EQ(m_doc.m_strFontFace, u"Arial");
    EXPECT_EQ(m_doc.m_sections.GetSize(), 0);
}

TEST_F(StudyFileRead, BadClassTagsFailTheWholeRead) {
    struct Case {
        const char* what;
        std::function<void(Bytes&)> sentences;
    };
    const Case cases[] = {
        {"other class", [](Bytes& b) { FirstTag(b, 1, "CSomethingElse"); }},
        {"schema 2", [](Bytes& b) { FirstTag(b, 2); }},
        {"name over 63 bytes", [](Bytes& b) { FirstTag(b, 1, std::string(64, 'C')); }},
        {"null record", [](Bytes& b) { b.U16(0x0000); }},
        {"reference before any record", [](Bytes& b) { b.U16(0x0001); }},
        {"class tag before any class", [](Bytes& b) { b.U16(0x8001); }},
        {"class tag naming a record",
         [](Bytes& b) {
             FirstTag(b);
             Record(b, 420, 0, u"a");
             b.U16(0x8002);
         }},
        {"reference beyond the records read",
         [](Bytes& b) {
             FirstTag(b);
             Record(b, 420, 0, u"a");
             b.U16(0x0003);
         }},
        {"reference to the class",
         [](Bytes& b) {
             FirstTag(b);
             Record(b, 420, 0, u"a");
             b.U16(0x0001);
         }},
    };
    for (const Case& c : cases) {
        m_prompts.Clear();
        Bytes b = Header(420);
        b.U16(2);
        c.sentences(b);
        Record(b, 420, 0, u"padding");
        EXPECT_FALSE(Open(b)) << c.what;
        ExpectFailureReported();
    }
}

TEST_F(StudyFileRead, AReferenceToAnEarlierRecordBecomesAnIndependentCopy) {
    Bytes b = Header(420);
    b.U16(2);
    FirstTag(b);
    Record(b, 420, 0, u"first");
    b.U16(0x0002); // the record read first
    ASSERT_TRUE(Open(b));
    ASSERT_EQ(m_doc.m_sections.GetSize(), 2);
    EXPECT_NE(m_doc.m_sections.GetAt(0), m_doc.m_sections.GetAt(1));
    EXPECT_EQ(m_doc.m_sections.GetAt(1)->m_strOriginal, u"first");
    EXPECT_EQ(m_doc.m_sections.GetAt(1)->m_strSpare2, u"fourth");
}

TEST_F(StudyFileRead, BigIndexTagsAreAccepted) {
    Bytes b = Header(420);
    b.U16(3);
    FirstTag(b);
    Record(b, 420, 0, u"a");
    b.U16(0x7FFF).U32(0x80000001); // class 1 by big index
    Record(b, 420, 100, u"b");
    b.U16(0x7FFF).U32(0x00000003); // the second record by big index
    ASSERT_TRUE(Open(b));
    ASSERT_EQ(m_doc.m_sections.GetSize(), 3);
    EXPECT_EQ(m_doc.m_sections.GetAt(1)->m_strOriginal, u"b");
    EXPECT_EQ(m_doc.m_sections.GetAt(2)->m_strOriginal, u"b");
}

TEST_F(StudyFileRead, EveryTruncationFailsCleanly) {
    Bytes b = Header(420, "some/audio.wav");
    b.U16(2);
    FirstTag(b);
    Record(b, 420, 0, u"one");
    b.U16(0x8001);
    Record(b, 420, 100, u"two");
    const std::vector<std::uint8_t>& full = b.Data();
    for (std::size_t n = 1; n < full.size(); ++n) {
        m_prompts.Clear();
        Bytes cut;
        cut.Raw(std::vector<std::uint8_t>(full.begin(), full.begin() + static_cast<long>(n)));
        EXPECT_FALSE(Open(cut)) << n;
        ExpectFailureReported();
        EXPECT_EQ(m_doc.m_strAudioPath, "") << "a failed read leaves the study reset";
    }
    m_prompts.Clear();
    EXPECT_TRUE(Open(b));
    EXPECT_EQ(m_doc.m_sections.GetSize(), 2);
}

TEST_F(StudyFileRead, AHugeSentenceCountInASmallFileFails) {
    Bytes b = Header(420);
    b.U16(0xFFFF).I32(0x7FFFFFFF);
    FirstTag(b);
    Record(b, 420, 0, u"a");
    EXPECT_FALSE(Open(b));
    ExpectFailureReported();
}

TEST_F(StudyFileRead, AMissingFileIsReportedLikeADamagedOne) {
    EXPECT_FALSE(m_doc.OnOpenDocument(m_dir.Path("absent.ekd")));
    ASSERT_EQ(m_prompts.Messages().size(), 1u);
    EXPECT_EQ(m_prompts.Messages()[0], study_messages::FileFailure(m_dir.Path("absent.ekd")));
}

} // namespace
