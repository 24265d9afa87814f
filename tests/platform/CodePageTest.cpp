#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

using namespace codepage;

TEST(CodePage, Utf8Validity) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ascii"));
    EXPECT_TRUE(IsValidUtf8("\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80"));
    EXPECT_FALSE(IsValidUtf8("\xE9"));             // a Latin-1 byte
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong '/'
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // a surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xE4\xB8"));         // truncated at the end
    EXPECT_FALSE(IsValidUtf8("\xC7\xD1"));         // CP949 bytes
}

TEST(CodePage, Utf16RoundTripIncludingSurrogatePairs) {
    const std::u16string text = u"a\u00e9\u4e2d\U0001F600\r";
    EXPECT_EQ(Utf16ToUtf8(text), "a\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x98\x80\r");
    EXPECT_EQ(Utf8ToUtf16(Utf16ToUtf8(text)), text);
    // Unpaired surrogates and invalid bytes become U+FFFD instead of corrupting the text.
    EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");
    EXPECT_EQ(Utf8ToUtf16("\xFFx"), u"\uFFFDx");
}

TEST(CodePage, LegacyCodePagesOfEachCharacterSet) {
    EXPECT_EQ(DecodeNarrow("\x80\x93\xE9", 0), u"\u20AC\u201C\u00E9");
    EXPECT_EQ(DecodeNarrow("\x82\xA0", 128), u"\u3042"); // あ
    EXPECT_EQ(DecodeNarrow("\xC7\xD1", 129), u"\uD55C"); // 한
    EXPECT_EQ(DecodeNarrow("\xD6\xD0", 134), u"\u4E2D"); // 中
    EXPECT_EQ(DecodeNarrow("\xA4\xA4", 136), u"\u4E2D"); // 中
    EXPECT_EQ(DecodeNarrow("\xE9", 77), u"\u00E9") << "unknown sets read as Windows-1252";
}

TEST(CodePage, BrokenMultiByteTextStillDecodesTheRest) {
    // A lead byte without its trail byte at the end.
    std::u16string text = DecodeNarrow("\xC7\xD1\xC7", 129);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text[0], u'\uD55C');
    EXPECT_EQ(text.back(), u'\uFFFD');
}

} // namespace
