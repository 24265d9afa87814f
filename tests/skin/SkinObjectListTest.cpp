#include "skin/SkinObjectList.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

namespace {

class ObjectListFile : public ::testing::Test {
protected:
    std::string Write(const std::string& text) {
        std::string path = m_dir.path().toStdString() + "/list.txt";
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    QTemporaryDir m_dir;
};

TEST(SkinObjectLine, ReadsTheSevenFieldsWithOrWithoutBlanks) {
    auto object = SkinObjectList::ParseLine("31, 3, 100, 30, 80, 20, 0");
    ASSERT_TRUE(object);
    EXPECT_EQ(object->id, 31);
    EXPECT_EQ(object->type, 3);
    EXPECT_EQ(object->x, 100);
    EXPECT_EQ(object->y, 30);
    EXPECT_EQ(object->w, 80);
    EXPECT_EQ(object->h, 20);
    auto packed = SkinObjectList::ParseLine("7,1,-4,5,6,7,99\r");
    ASSERT_TRUE(packed);
    EXPECT_EQ(packed->x, -4);
    EXPECT_EQ(packed->h, 7);
}

TEST(SkinObjectLine, NeedsExactlyFiveNumbersAfterTheType) {
    EXPECT_FALSE(SkinObjectList::ParseLine("12, 1, 10, 20, 30, 40"));
    EXPECT_FALSE(SkinObjectList::ParseLine("12, 1, 10, 20, 30, 40, 0, 5"));
    EXPECT_FALSE(SkinObjectList::ParseLine("12, 1, 10, , 30, 40, 0"));
    EXPECT_FALSE(SkinObjectList::ParseLine("12, 1, 10, abc, 30, 40, 0"));
    EXPECT_FALSE(SkinObjectList::ParseLine("12, 1, 10, 20x, 30, 40, 0"));
}

TEST(SkinObjectLine, TypeMustBeOneToTen) {
    EXPECT_TRUE(SkinObjectList::ParseLine("1, 1, 0, 0, 1, 1, 0"));
    EXPECT_TRUE(SkinObjectList::ParseLine("1, 10, 0, 0, 1, 1, 0"));
    EXPECT_FALSE(SkinObjectList::ParseLine("1, 0, 0, 0, 1, 1, 0"));
    EXPECT_FALSE(SkinObjectList::ParseLine("1, 11, 0, 0, 1, 1, 0"));
    EXPECT_FALSE(SkinObjectList::ParseLine("1, -3, 0, 0, 1, 1, 0"));
}

TEST(SkinObjectLine, OnlyLinesStartingWithADigitAndHavingACommaCarryAnId) {
    EXPECT_EQ(SkinObjectList::LineId("42, 1, 0, 0, 1, 1, 0"), 42);
    EXPECT_EQ(SkinObjectList::LineId("42x, whatever"), 42);
    EXPECT_FALSE(SkinObjectList::LineId(" 42, 1, 0, 0, 1, 1, 0"));
    EXPECT_FALSE(SkinObjectList::LineId("; 42, 1, 0, 0, 1, 1, 0"));
    EXPECT_FALSE(SkinObjectList::LineId("a42, 1"));
    EXPECT_FALSE(SkinObjectList::LineId("42"));
    EXPECT_FALSE(SkinObjectList::LineId(""));
    EXPECT_FALSE(SkinObjectList::LineId("99999999999999999999, 1, 0, 0, 1, 1, 0"));
}

TEST_F(ObjectListFile, IgnoresCommentsBlanksAndLettersAndTakesTheFirstLineOfAnId) {
    std::string path = Write("; comment 5, 1, 0, 0, 0, 0, 0\n"
                             "\n"
                             " 5, 1, 9, 9, 9, 9, 0\n"
                             "x5, 1, 9, 9, 9, 9, 0\n"
                             "5, 2, 1, 2, 3, 4, 0\n"
                             "5, 1, 7, 7, 7, 7, 0\n");
    SkinLookup lookup = SkinObjectList::Find(path, 5);
    ASSERT_EQ(lookup.status, SkinLookupStatus::Found);
    EXPECT_EQ(lookup.object.type, 2);
    EXPECT_EQ(lookup.object.x, 1);
    EXPECT_EQ(lookup.object.h, 4);
}

TEST_F(ObjectListFile, AnInvalidFirstLineIsNotReplacedByALaterValidOne) {
    std::string path = Write("12, 1, 10, 20, 30, 40\n12, 1, 10, 20, 30, 40, 0\n");
    EXPECT_EQ(SkinObjectList::Find(path, 12).status, SkinLookupStatus::Invalid);
}

TEST_F(ObjectListFile, ReportsAbsentAndUnreadable) {
    std::string path = Write("1, 1, 0, 0, 1, 1, 0\n");
    EXPECT_EQ(SkinObjectList::Find(path, 2).status, SkinLookupStatus::Absent);
    EXPECT_EQ(SkinObjectList::Find(path + ".missing", 1).status, SkinLookupStatus::Unreadable);
    EXPECT_EQ(SkinObjectList::Find(Write(""), 1).status, SkinLookupStatus::Absent);
}

TEST_F(ObjectListFile, ReadsTheLastLineWithoutNewlineAndWindowsLineEnds) {
    std::string path = Write("1, 1, 0, 0, 1, 1, 0\r\n2, 3, 5, 6, 7, 8, 0");
    SkinLookup lookup = SkinObjectList::Find(path, 2);
    ASSERT_EQ(lookup.status, SkinLookupStatus::Found);
    EXPECT_EQ(lookup.object.h, 8);
    EXPECT_EQ(SkinObjectList::Find(path, 1).status, SkinLookupStatus::Found);
}

TEST_F(ObjectListFile, OverlongLinesAreCutNotSplitIntoNewLines) {
    // The part beyond the line limit must not be read as a line of its own.
    std::string filler(SkinObjectList::kMaxLineLength, ' ');
    std::string path = Write("; " + filler + "9, 1, 1, 2, 3, 4, 0\n");
    EXPECT_EQ(SkinObjectList::Find(path, 9).status, SkinLookupStatus::Absent);
}

TEST_F(ObjectListFile, SurvivesBinaryGarbage) {
    std::string garbage;
    for (int i = 0; i < 5000; ++i) {
        garbage.push_back(static_cast<char>((i * 7919) % 256));
    }
    std::string path = Write(garbage);
    SkinLookup lookup = SkinObjectList::Find(path, 3);
    EXPECT_NE(lookup.status, SkinLookupStatus::Unreadable);
}

} // namespace
