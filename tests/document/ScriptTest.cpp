// Text scripts: the bytes export writes, how import distributes texts, and the two together.
#include "document/CEarlarkWaveSectionArray.h"
#include "document/ScriptFile.h"
#include "document/ScriptImport.h"
#include "document/ScriptReader.h"
#include "document/ScriptWriter.h"
#include "platform/CodePage.h"
#include "support/TempDir.h"

#include <QChar>
#include <gtest/gtest.h>

#include <chrono>
#include <iconv.h>

namespace {

using ByteVector = std::vector<std::uint8_t>;

ByteVector B(std::string_view text) {
    return {text.begin(), text.end()};
}

// A study of n sentences whose transcriptions and Original Texts read "keep".
struct Study {
    explicit Study(int n) {
        for (int i = 0; i < n; ++i) {
            auto s = std::make_unique<CEarlarkWaveSection>();
            s->m_nStart = 1000u * i;
            s->m_nEnd = 1000u * i + 999;
            s->m_strListenWrite = s->m_strOriginal = u"keep";
            sections.Add(std::move(s));
        }
    }
    std::vector<std::u16string> Texts(bool original = false) const {
        std::vector<std::u16string> texts;
        for (int i = 0; i < sections.GetSize(); ++i) {
            const CEarlarkWaveSection* s = sections.GetAt(i);
            texts.push_back(original ? s->m_strOriginal : s->m_strListenWrite);
        }
        return texts;
    }
    std::vector<const CEarlarkWaveSection*> Rows() const {
        std::vector<const CEarlarkWaveSection*> rows;
        for (int i = 0; i < sections.GetSize(); ++i) {
            rows.push_back(sections.GetAt(i));
        }
        return rows;
    }
    CEarlarkWaveSectionArray sections;
};

std::vector<std::u16string> Import(const ByteVector& bytes, int sentences, bool delimiter,
                                   std::uint8_t charSet = 0) {
    Study study(sentences);
    ScriptReader reader(bytes, charSet);
    ImportScriptTexts(reader, study.sections, {false, delimiter});
    return study.Texts();
}

ByteVector Encode(const std::string& utf8, const char* codePage) {
    iconv_t cd = iconv_open(codePage, "UTF-8");
    std::string in = utf8;
    std::string out(in.size() * 4, '\0');
    char* inPtr = in.data();
    char* outPtr = out.data();
    std::size_t inLeft = in.size();
    std::size_t outLeft = out.size();
    iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    return B(std::string_view(out.data(), out.size() - outLeft));
}

TEST(ScriptExport, WritesTheScriptAndDataFileBytes) {
    Study study(3);
    study.sections.GetAt(0)->m_strListenWrite = u"A";
    study.sections.GetAt(1)->m_strListenWrite = u"B\rC";
    study.sections.GetAt(2)->m_strListenWrite = u"";
    EXPECT_EQ(script_writer::Build(study.Rows(), {}, u""), B("A//\r\nB\\rC//\r\n//\r\n"));
    ScriptExportOptions data;
    data.dataFile = true;
    EXPECT_EQ(script_writer::Build(study.Rows(), data, u"D "),
              B("D A\n0\n0\n999\n\nB\rC\n1\n1000\n1999\n\n\n2\n2000\n2999\n\n"));
    ScriptExportOptions wide;
    wide.unicode = true;
    wide.original = true;
    study.sections.GetAt(0)->m_strOriginal = u"\uD55C";
    const ByteVector rows = script_writer::Build({study.Rows().data(), 1}, wide, u"");
    EXPECT_EQ(rows, (ByteVector{0xFF, 0xFE, 0x5C, 0xD5, '/', 0, '/', 0, '\r', 0, '\n', 0}));
}

TEST(ScriptExport, DateLineIsMonthDayYearAndTwentyFourHourTime) {
    std::tm t{};
    t.tm_year = 2026 - 1900;
    t.tm_mon = 11;
    t.tm_mday = 9;
    t.tm_hour = 17;
    t.tm_min = 5;
    t.tm_sec = 3;
    EXPECT_EQ(script_writer::DateLine(t), u"* Written at 12/09/26 17:05:03  ");
}

struct ImportCase {
    const char* name;
    std::string bytes;
    bool delimiter;
    std::vector<std::u16string> expected;
};

class ScriptImportCases : public ::testing::TestWithParam<ImportCase> {};

TEST_P(ScriptImportCases, FillsTheSentencesInOrder) {
    const ImportCase& c = GetParam();
    EXPECT_EQ(Import(B(c.bytes), static_cast<int>(c.expected.size()), c.delimiter), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, ScriptImportCases,
    ::testing::Values(
        ImportCase{"JoinedWithoutSpace",
                   "Hello\r\nworld// lost\r\nnext//",
                   true,
                   {u"Helloworld", u"next"}},
        ImportCase{"WithoutDelimiterEveryLineIsAText",
                   "a//\r\n  b  \r\n\r\nc",
                   false,
                   {u"a//", u"b", u"c"}},
        // Blank lines are skipped in LF files too: only the end of the file ends the import.
        ImportCase{
            "BlankLinesOfLfFileSkipped", "a//\n\n   \nb//\n\n\nc//\n", true, {u"a", u"b", u"c"}},
        ImportCase{"BlankLinesOfLfFileWithoutDelimiter", "a\n\nb\n", false, {u"a", u"b"}},
        ImportCase{"TextAfterLastDelimiterIsNotStored", "a//\nrest", true, {u"a", u"keep"}},
        ImportCase{"FewerTextsLeaveTheRest", "x//", true, {u"x", u"keep", u"keep"}},
        ImportCase{"BackslashRBecomesCarriageReturn",
                   "one\\rtwo//\n\\r\\\\r//",
                   true,
                   {u"one\rtwo", u"\r\\\r"}},
        ImportCase{"DateLineJoinsTheFirstText",
                   "* Written at 12/09/26 17:05:03  A//\r\n",
                   true,
                   {u"* Written at 12/09/26 17:05:03  A"}},
        ImportCase{"Utf8MarkSkippedAndUnicodeSpaceTrimmed",
                   "\xEF\xBB\xBF\xE3\x80\x80t\xC2\xA0\xE2\x80\xA8",
                   false,
                   {u"t"}},
        ImportCase{"WideTextWithoutMarkIsNarrowWithItsNulsKept",
                   std::string("A\0B\0", 4),
                   false,
                   {std::u16string(u"A\0B\0", 4)}},
        ImportCase{"DelimiterAcrossJoinedReads", "a/\n/b//", true, {u"a"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptImport, LongLinesAreReadInUnitsThatNeverSplitACharacter) {
    // 2,000 characters: 998, 998 and 4.
    const std::vector<std::u16string> ascii = Import(ByteVector(2000, 'x'), 4, false);
    EXPECT_EQ(ascii[0].size(), 998u);
    EXPECT_EQ(ascii[1].size(), 998u);
    EXPECT_EQ(ascii[2], u"xxxx");
    EXPECT_EQ(ascii[3], u"keep");
    // 400 three-byte characters: the first read ends at 996 bytes, not inside a character.
    std::string hangul;
    for (int i = 0; i < 400; ++i) {
        hangul += "\xED\x95\x9C";
    }
    const std::vector<std::u16string> utf8 = Import(B(hangul), 2, false);
    EXPECT_EQ(utf8[0], std::u16string(332, u'\uD55C'));
    EXPECT_EQ(utf8[1], std::u16string(68, u'\uD55C'));
}

TEST(ScriptImport, NarrowFilesNotInUtf8AreReadInTheStudyCodePage) {
    struct CodePageCase {
        const char* codePage;
        std::uint8_t charSet;
        std::string word;
    };
    for (const CodePageCase& c : {CodePageCase{"CP949", 129, "\xEC\x95\x88\xEB\x85\x95"},
                                  CodePageCase{"CP932", 128, "\xE6\x97\xA5\xE6\x9C\xAC"}}) {
        const ByteVector script = Encode(c.word + "//\r\n" + c.word + "//\r\n", c.codePage);
        const std::u16string word = codepage::Utf8ToUtf16(c.word);
        EXPECT_EQ(Import(script, 2, true, c.charSet), (std::vector{word, word})) << c.codePage;
        // A long line whose 998th byte is a lead byte: that character goes to the next read.
        std::string line = "x";
        for (int i = 0; i < 300; ++i) {
            line += c.word;
        }
        const std::vector<std::u16string> parts =
            Import(Encode(line, c.codePage), 2, false, c.charSet);
        EXPECT_EQ(parts[0].size() + parts[1].size(), 601u) << c.codePage;
        EXPECT_EQ((u"x" + parts[0] + parts[1]).find(u'\uFFFD'), std::u16string::npos);
    }
}

// Bytes the code page converter takes in full yet reports as a failure.
TEST(ScriptImport, HostileCodePageBytesEndCleanly) {
    const ByteVector bytes{0x0a, 0x0a, 0x0a, 0xff, 0xff, 0x5f, 0x80,
                           0x00, 0x01, 0xa2, 0xe8, 0x0a, 0x0a, 0x0a};
    for (std::uint8_t charSet : {128, 129, 134, 136}) {
        const std::vector<std::u16string> texts = Import(bytes, 2, false, charSet);
        EXPECT_FALSE(texts[0].empty());
        EXPECT_EQ(texts[1], u"keep");
    }
}

TEST(ScriptImport, TwentyMegabyteLineWithDelimiterIsLinear) {
    std::string line(20'000'000, 'w');
    line += "//tail\n";
    const auto begin = std::chrono::steady_clock::now();
    const std::vector<std::u16string> texts = Import(B(line), 1, true);
    const auto elapsed = std::chrono::steady_clock::now() - begin;
    EXPECT_EQ(texts[0].size(), 20'000'000u);
    EXPECT_LT(elapsed, std::chrono::seconds(10));
}

TEST(ScriptImport, TrimsWhatQCharCallsSpace) {
    for (char32_t c = 0; c <= 0xFFFF; ++c) {
        ASSERT_EQ(IsScriptSpace(static_cast<char16_t>(c)), QChar(c).isSpace())
            << std::hex << static_cast<std::uint32_t>(c);
    }
}

struct RoundTrip {
    bool unicode;
    bool delimiter;
};

class ScriptRoundTrip : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(ScriptRoundTrip, ExportedTextsComeBack) {
    const std::vector<std::u16string> texts{u"first\rsecond", u"\uD55C\uAE00 \u65E5\u672C", u"",
                                            u"a/b", u"\U0001F600 smile"};
    Study source(static_cast<int>(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        source.sections.GetAt(static_cast<int>(i))->m_strOriginal = texts[i];
    }
    ScriptExportOptions out;
    out.original = true;
    out.unicode = GetParam().unicode;
    TempDir dir;
    const std::string path = dir.Path("script.txt");
    ASSERT_TRUE(script_file::Export(path, source.Rows(), out, {}));
    Study target(static_cast<int>(texts.size()));
    ASSERT_TRUE(script_file::Import(path, target.sections, 129, {true, GetParam().delimiter}));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(target.Texts(true)[i], GetParam().delimiter ? texts[i] : texts[i] + u"//");
    }
    EXPECT_EQ(target.Texts(false), std::vector<std::u16string>(texts.size(), u"keep"));
}

INSTANTIATE_TEST_SUITE_P(Encodings, ScriptRoundTrip,
                         ::testing::Values(RoundTrip{false, true}, RoundTrip{false, false},
                                           RoundTrip{true, true}, RoundTrip{true, false}));

TEST(ScriptFile, FilesThatCannotBeOpenedChangeNothing) {
    TempDir dir;
    Study study(1);
    EXPECT_FALSE(script_file::Import(dir.Path("missing.txt"), study.sections, 0, {}));
    EXPECT_FALSE(script_file::Import(dir.Path(""), study.sections, 0, {}));
    EXPECT_EQ(study.Texts(), std::vector<std::u16string>{u"keep"});
    EXPECT_FALSE(script_file::Export(dir.Path("no/such/folder.txt"), study.Rows(), {}, {}));
}

} // namespace
