// The primitive encodings of the study file: length prefixes, texts in both forms, counts.
#include "document/ArchiveError.h"
#include "document/ArchiveReader.h"
#include "document/ArchiveWriter.h"
#include "support/Bytes.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::uint8_t> Prefix(const std::vector<std::uint8_t>& bytes, std::size_t n) {
    return {bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n)};
}

TEST(ArchiveWriter, LengthPrefixChangesFormAtEachBoundary) {
    struct Case {
        std::size_t length;
        std::vector<std::uint8_t> prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {300, {0xFF, 0x2C, 0x01}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {0x12345, {0xFF, 0xFF, 0xFF, 0x45, 0x23, 0x01, 0x00}},
    };
    for (const Case& c : cases) {
        ArchiveWriter narrow;
        narrow.WriteNarrowText(std::string(c.length, 'a'));
        EXPECT_EQ(Prefix(narrow.Bytes(), c.prefix.size()), c.prefix) << "narrow " << c.length;
        EXPECT_EQ(narrow.Bytes().size(), c.prefix.size() + c.length);

        ArchiveWriter wide;
        wide.WriteWideText(std::u16string(c.length, u'a'));
        const std::vector<std::uint8_t> expected =
            Bytes().U8(0xFF).U16(0xFFFE).Raw(c.prefix).Data();
        EXPECT_EQ(Prefix(wide.Bytes(), expected.size()), expected) << "wide " << c.length;
        EXPECT_EQ(wide.Bytes().size(), expected.size() + 2 * c.length);
    }
}

TEST(ArchiveWriter, EmptyTextsAndCounts) {
    ArchiveWriter archive;
    archive.WriteNarrowText("");
    archive.WriteWideText(u"");
    archive.WriteCount(0xFFFE);
    archive.WriteCount(0xFFFF);
    std::vector<std::uint8_t> expected{0x00, 0xFF, 0xFE, 0xFF, 0x00, 0xFE, 0xFF,
                                       0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00};
    EXPECT_EQ(archive.Bytes(), expected);
}

TEST(ArchiveReader, ReadsWhatTheWriterWrote) {
    ArchiveWriter out;
    const std::u16string wide = u"caf\u00e9 \u4e2d\u6587 \U0001F600";
    const std::string longNarrow(70000, 'x');
    out.WriteInt32(-2);
    out.WriteUInt16(0xBEEF);
    out.WriteWideText(wide);
    out.WriteNarrowText(longNarrow);
    out.WriteCount(70000);

    ArchiveReader in(out.Bytes());
    EXPECT_EQ(in.ReadInt32(), -2);
    EXPECT_EQ(in.ReadUInt16(), 0xBEEF);
    StoredText text = in.ReadText();
    EXPECT_TRUE(text.wide);
    EXPECT_EQ(text.utf16, wide);
    text = in.ReadText();
    EXPECT_FALSE(text.wide);
    EXPECT_EQ(text.narrow, longNarrow);
    EXPECT_EQ(in.ReadCount(), 70000u);
    EXPECT_TRUE(in.AtEnd());
}

TEST(ArchiveReader, EveryReadPastTheEndThrows) {
    const std::vector<std::uint8_t> full =
        Bytes().I32(7).Wide(u"abc").Narrow("de").U16(0xFFFF).I32(3).Data();
    for (std::size_t n = 0; n < full.size(); ++n) {
        std::vector<std::uint8_t> cut = Prefix(full, n);
        ArchiveReader in(cut);
        EXPECT_THROW(
            {
                in.ReadInt32();
                in.ReadText();
                in.ReadText();
                in.ReadCount();
            },
            ArchiveError)
            << "prefix of " << n << " bytes";
    }
}

TEST(ArchiveReader, HugeDeclaredLengthsFailWithoutAllocating) {
    auto narrow = Bytes().U8(0xFF).U16(0xFFFF).U32(0x7FFFFFFF).Raw("abc").Data();
    ArchiveReader a(narrow);
    EXPECT_THROW(a.ReadText(), ArchiveError);

    auto wide = Bytes().U8(0xFF).U16(0xFFFE).U8(0xFF).U16(0xFFFF).U32(0xFFFFFFFF).Data();
    ArchiveReader b(wide);
    EXPECT_THROW(b.ReadText(), ArchiveError);

    auto count = Bytes().U16(0xFFFF).I32(-5).Data();
    ArchiveReader c(count);
    EXPECT_THROW(c.ReadCount(), ArchiveError);
}

TEST(StoredText, NarrowTextsDecodeWithTheStudyCharacterSet) {
    StoredText latin{false, "caf\xE9", {}};
    EXPECT_EQ(latin.ToUtf16(0), u"caf\u00e9");
    EXPECT_EQ(latin.ToUtf8(0), "caf\xC3\xA9");

    // "한국" in CP949 and "日本" in CP932.
    StoredText korean{false, "\xC7\xD1\xB1\xB9", {}};
    EXPECT_EQ(korean.ToUtf16(129), u"\ud55c\uad6d");
    StoredText japanese{false, "\x93\xFA\x96\x7B", {}};
    EXPECT_EQ(japanese.ToUtf16(128), u"\u65e5\u672c");

    // Valid UTF-8 wins over the character set.
    StoredText utf8{false, "\xED\x95\x9C", {}};
    EXPECT_EQ(utf8.ToUtf16(0), u"\ud55c");

    StoredText wide{true, {}, u"\u00e9t\u00e9"};
    EXPECT_EQ(wide.ToUtf8(129), "\xC3\xA9t\xC3\xA9");
}

} // namespace
