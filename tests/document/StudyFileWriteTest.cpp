// The bytes the program writes for a study.
#include "document/CEarlarkDoc.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace {

Bytes ResetSettings(std::string_view audioPath, std::uint32_t viewKind = 103) {
    Bytes b;
    b.U32(420).U32(viewKind).Narrow(audioPath);
    b.I32(0).I32(128).I32(3).I32(3).I32(100).U32(0); // cur, volume, repeat, interval, speed, flags
    b.U8(0).Wide(u"Arial").I32(-16).U32(0);
    b.U32(0x00CEDEE7)
        .U32(0x009D542C)
        .U32(0x0000FF00)
        .U32(0x009D542C)
        .U32(0x0000FFFF)
        .U32(0x009D542C);
    return b;
}

TEST(StudyFileWrite, NewStudyWithOneWholeRecordingSentence) {
    CEarlarkDoc doc;
    doc.OnNewDocument();
    doc.m_strAudioPath = "C:\\s\\lesson.wav";
    auto whole = std::make_unique<CEarlarkWaveSection>();
    whole->m_nEnd = 999999;
    whole->UpdateWholeFlag(1000000);
    doc.m_sections.Add(std::move(whole));

    Bytes expected = ResetSettings("C:\\s\\lesson.wav");
    expected.U16(1).U16(0xFFFF).U16(1).U16(19).Raw("CEarlarkWaveSection");
    expected.U32(0).U32(0x000F423F).U32(8).Wide(u"").Wide(u"").Wide(u"");
    expected.U32(0).U32(0).I32(0).I32(0).U32(0).U32(0).Wide(u"");
    EXPECT_EQ(doc.ToBytes(), expected.Data());
}

TEST(StudyFileWrite, ResetStudyEndsWithAZeroCountAfterTheColours) {
    CEarlarkDoc doc;
    doc.DeleteContents();
    // A reset document has view kind 0; a new one has 103.
    EXPECT_EQ(doc.ToBytes(), ResetSettings("", 0).U16(0).Data());
}

TEST(StudyFileWrite, LaterRecordsAreTaggedWithTheClassIndex) {
    CEarlarkDoc doc;
    doc.OnNewDocument();
    for (std::uint32_t i = 0; i < 3; ++i) {
        auto s = std::make_unique<CEarlarkWaveSection>();
        s->m_nStart = i * 100;
        s->m_nEnd = i * 100 + 99;
        s->m_strOriginal.assign(1, u'x');
        doc.m_sections.Add(std::move(s));
    }
    std::vector<std::uint8_t> bytes = doc.ToBytes();
    const std::size_t header = ResetSettings("").Size();
    const std::size_t record = 4 * 3 + 4 + 6 + 4 + 4 * 6 + 4;
    const std::size_t firstTag = 2 + 2 + 2 + 19;
    ASSERT_EQ(bytes.size(), header + 2 + firstTag + record + 2 * (2 + record));
    std::size_t second = header + 2 + firstTag + record;
    EXPECT_EQ(bytes[second], 0x01);
    EXPECT_EQ(bytes[second + 1], 0x80);
    EXPECT_EQ(bytes[second + 2 + record], 0x01);
    EXPECT_EQ(bytes[second + 3 + record], 0x80);
}

TEST(StudyFileWrite, LongAudioPathUsesTheTwoByteLength) {
    CEarlarkDoc doc;
    doc.OnNewDocument();
    doc.m_strAudioPath = std::string(300, 'p');
    std::vector<std::uint8_t> bytes = doc.ToBytes();
    EXPECT_EQ(bytes[8], 0xFF);
    EXPECT_EQ(bytes[9], 0x2C);
    EXPECT_EQ(bytes[10], 0x01);
    EXPECT_EQ(bytes[11], 'p');
    EXPECT_EQ(bytes[11 + 299], 'p');
    EXPECT_EQ(bytes[11 + 300], 0x00); // current sentence follows
}

TEST(StudyFileWrite, AudioPathIsWrittenAsUtf8) {
    CEarlarkDoc doc;
    doc.OnNewDocument();
    doc.m_strAudioPath = "/home/\xED\x95\x9C/a.wav";
    std::vector<std::uint8_t> bytes = doc.ToBytes();
    EXPECT_EQ(bytes[8], doc.m_strAudioPath.size());
    const auto length = static_cast<std::ptrdiff_t>(doc.m_strAudioPath.size());
    EXPECT_EQ(std::string(bytes.begin() + 9, bytes.begin() + 9 + length), doc.m_strAudioPath);
}

} // namespace
