// Sentence records and the owning sentence array.
#include "document/CEarlarkWaveSectionArray.h"

#include <gtest/gtest.h>

namespace {

CEarlarkWaveSection Filled() {
    CEarlarkWaveSection s;
    s.m_nStart = 10;
    s.m_nEnd = 20;
    s.m_nFlags = 0x85;
    s.m_strListenWrite = u"typed";
    s.m_strOriginal = u"original";
    s.m_strSpare1 = u"third";
    s.m_strSpare2 = u"fourth";
    s.m_nClipStart = 30;
    s.m_nClipEnd = 40;
    s.m_nSpare = {-1, 2};
    s.m_nPlayCount = 3;
    s.m_nHintLevel = 4;
    return s;
}

void ExpectSameExceptFourthText(const CEarlarkWaveSection& a, const CEarlarkWaveSection& b) {
    EXPECT_EQ(a.m_nStart, b.m_nStart);
    EXPECT_EQ(a.m_nEnd, b.m_nEnd);
    EXPECT_EQ(a.m_nFlags, b.m_nFlags);
    EXPECT_EQ(a.m_strListenWrite, b.m_strListenWrite);
    EXPECT_EQ(a.m_strOriginal, b.m_strOriginal);
    EXPECT_EQ(a.m_strSpare1, b.m_strSpare1);
    EXPECT_EQ(a.m_nClipStart, b.m_nClipStart);
    EXPECT_EQ(a.m_nClipEnd, b.m_nClipEnd);
    EXPECT_EQ(a.m_nSpare, b.m_nSpare);
    EXPECT_EQ(a.m_nPlayCount, b.m_nPlayCount);
    EXPECT_EQ(a.m_nHintLevel, b.m_nHintLevel);
}

TEST(CEarlarkWaveSection, CopyForSplitLeavesTheFourthTextEmpty) {
    CEarlarkWaveSection source = Filled();
    CEarlarkWaveSection copy = CEarlarkWaveSection::CopyForSplit(source);
    ExpectSameExceptFourthText(copy, source);
    EXPECT_TRUE(copy.m_strSpare2.empty());
}

TEST(CEarlarkWaveSection, CopyFromKeepsTheTargetsFourthText) {
    CEarlarkWaveSection target;
    target.m_strSpare2 = u"mine";
    target.CopyFrom(Filled());
    ExpectSameExceptFourthText(target, Filled());
    EXPECT_EQ(target.m_strSpare2, u"mine");
}

TEST(CEarlarkWaveSection, WholeFlagFollowsTheRange) {
    CEarlarkWaveSection s;
    s.m_nFlags = 0x1;
    s.m_nEnd = 999;
    EXPECT_TRUE(s.UpdateWholeFlag(1000));
    EXPECT_EQ(s.m_nFlags, 0x9u);

    s.m_nStart = 1;
    EXPECT_FALSE(s.UpdateWholeFlag(1000));
    EXPECT_EQ(s.m_nFlags, 0x1u);

    s.m_nStart = 0;
    s.m_nEnd = 998;
    s.m_nFlags = 0x9;
    EXPECT_FALSE(s.UpdateWholeFlag(1000));
    EXPECT_EQ(s.m_nFlags, 0x1u);

    // An end of 0xFFFFFFFF must not wrap around to match a data size of 0.
    s.m_nEnd = 0xFFFFFFFF;
    EXPECT_FALSE(s.UpdateWholeFlag(0));
}

TEST(CEarlarkWaveSectionArray, FindsRecordsByIdentity) {
    CEarlarkWaveSectionArray array;
    CEarlarkWaveSection outsider = Filled();
    EXPECT_EQ(array.FindIndex(&outsider), -1);
    EXPECT_EQ(array.FindIndex(nullptr), -1);

    CEarlarkWaveSection* a = array.Add(std::make_unique<CEarlarkWaveSection>(Filled()));
    CEarlarkWaveSection* b = array.Add(std::make_unique<CEarlarkWaveSection>(Filled()));
    CEarlarkWaveSection* c = array.InsertAt(1, std::make_unique<CEarlarkWaveSection>());
    EXPECT_EQ(array.FindIndex(a), 0);
    EXPECT_EQ(array.FindIndex(c), 1);
    EXPECT_EQ(array.FindIndex(b), 2);
    EXPECT_EQ(array.FindIndex(&outsider), -1) << "an equal record elsewhere is not in the array";

    array.DeleteAt(1);
    EXPECT_EQ(array.GetSize(), 2);
    EXPECT_EQ(array.FindIndex(b), 1);
    array.DeleteAll();
    EXPECT_EQ(array.GetSize(), 0);
    EXPECT_EQ(array.FindIndex(a), -1);
}

} // namespace
