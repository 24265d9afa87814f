// Subtitle and lyrics files: reading each format (including the examples of the formats'
// own descriptions), encodings, cue timing as sentence ranges, and writing them back.
#include "document/SubtitleFile.h"
#include "document/SubtitleSentences.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

using codepage::Utf16ToUtf8;

// Cues as "start-end:text" (end -1 for an LRC line), texts with CR shown as '|'.
std::string Show(const SubtitleParse& parse) {
    if (!parse.Ok()) {
        return "error " + parse.error;
    }
    std::string out;
    for (const SubtitleCue& cue : parse.cues) {
        std::string text = Utf16ToUtf8(cue.text);
        std::replace(text.begin(), text.end(), '\r', '|');
        out += std::to_string(cue.startMs) + "-" + std::to_string(cue.endMs) + ":" + text + ";";
    }
    return out;
}

TEST(SubtitleFile, ReadsEachFormat) {
    struct Case {
        const char* path;
        std::string content;
        std::string cues;
    };
    const Case cases[] = {
        // SubRip as its examples show it, with formatting tags and a position hint.
        {"a.srt",
         "1\r\n00:00:20,000 --> 00:00:24,400\r\nAltocumulus clouds occur between six thousand\r\n"
         "\r\n2\r\n00:00:24,600 --> 00:00:27,800 X1:63 X2:223 Y1:43 Y2:58\r\n<i>and twenty "
         "thousand</i> <font color=\"#ff0000\">feet</font> &amp; <b>more</b> <3\r\n",
         "20000-24400:Altocumulus clouds occur between six thousand;24600-27800:and twenty "
         "thousand feet & more <3;"},
        {"b.srt",
         "\n\n1\n0:00:01.5 --> 0:00:02,25\nOne\ntwo\n\n\n\n2\n00:00:03,000 --> "
         "00:00:03,000\n\n",
         "1500-2250:One|two;3000-3000:;"},
        // WebVTT: header, NOTE and STYLE blocks, identifiers, cue settings, voice spans,
        // class spans, timestamps inside a cue and character references.
        {"a.vtt",
         "WEBVTT - This file has cues.\nKind: captions\n\nNOTE a comment\nover two lines\n\n"
         "STYLE\n::cue { color: red }\n\n1\n00:11.000 --> 00:13.000 align:start line:0%\n"
         "<v Roger Bingham>We are in New York City\n\nintro\n00:13.000 --> 00:16.000\n"
         "<v.loud Neil deGrasse Tyson><c.yellow>Hi</c> <00:14.000>there&nbsp;&lt;3&gt; "
         "&#x263A;&#33;</v>\n\n01:00:00.000 --> 01:00:01.500\n<i>end</i>\n",
         "11000-13000:We are in New York City;13000-16000:Hi there\xC2\xA0<3> \xE2\x98\xBA!;"
         "3600000-3601500:end;"},
        // LRC: tags ignored, several times per line, both fraction lengths, offset.
        {"a.lrc",
         "[ar:Someone]\n[ti:Song]\n[offset:+500]\n[00:12.00]Line one\n[00:17.20][01:05.345]"
         "Chorus\nuntimed text\n[xx:yy.zz]odd tag\n[00:00.10]Early\n",
         "11500--1:Line one;16700--1:Chorus;64845--1:Chorus;0--1:Early;"},
        {"b.lrc", "[offset:-250]\n[100:00.5]Late\n", "6000750--1:Late;"},
        // No extension: told apart by the content.
        {"noext", "WEBVTT\n\n00:01.000 --> 00:02.000\nx\n", "1000-2000:x;"},
        {"noext", "[00:01.00]x\n", "1000--1:x;"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Show(SubtitleFile::Read(c.path, c.content, 0)), c.cues) << c.content;
    }
}

TEST(SubtitleFile, BadFilesNameTheLine) {
    struct Case {
        const char* path;
        std::string content;
        std::string error;
    };
    const Case cases[] = {
        {"a.srt", "", "error no cue found"},
        {"a.srt", "1\n00:00:01,000 --> 00:00:02,000\nok\n\n2\nno timing here\n",
         "error line 6: expected a cue timing (start --> end)"},
        {"a.srt", "1\n00:00:01,000 --> 00:00:0x,000\n", "error line 2: cannot read the cue times"},
        {"a.srt", "1\n00:00:01,000 --> 00:00:00,999\nback\n",
         "error line 2: the cue ends before it starts"},
        {"a.srt", "1\n00:00:61,000 --> 00:00:62,000\n", "error line 2: cannot read the cue times"},
        {"a.srt", "1\n", "error line 1: expected a cue timing (start --> end)"},
        {"a.vtt", "1\n00:01.000 --> 00:02.000\n", "error line 1: a WebVTT file starts with WEBVTT"},
        {"a.vtt", "WEBVTT\n\n00:01,000 --> 00:02.000\n", "error line 3: cannot read the cue times"},
        {"a.vtt", "WEBVTT\n\nNOTE only\n", "error no cue found"},
        {"a.lrc", "[ar:x]\nno times\n", "error no timed line found"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Show(SubtitleFile::Read(c.path, c.content, 0)), c.error) << c.content;
    }
}

TEST(SubtitleFile, Encodings) {
    const std::string cue = "1\n00:00:01,000 --> 00:00:02,000\n";
    std::string utf16le = "\xFF\xFE";
    std::string utf16be = "\xFE\xFF";
    for (char c : cue + "Z\xE9") { // the last unit stands for U+00E9
        utf16le += {c, '\0'};
        utf16be += {'\0', c};
    }
    const std::string expected = "1000-2000:Z\xC3\xA9;";
    EXPECT_EQ(Show(SubtitleFile::Read("a.srt", "\xEF\xBB\xBF" + cue + "Z\xC3\xA9", 0)), expected);
    EXPECT_EQ(Show(SubtitleFile::Read("a.srt", cue + "Z\xC3\xA9", 129)), expected);
    EXPECT_EQ(Show(SubtitleFile::Read("a.srt", utf16le, 0)), expected);
    EXPECT_EQ(Show(SubtitleFile::Read("a.srt", utf16be, 0)), expected);
    EXPECT_EQ(Show(SubtitleFile::Read("a.srt", cue + "Z\xE9", 0)), expected) << "Windows-1252";
    EXPECT_EQ(Show(SubtitleFile::Read("a.srt", cue + "\xB0\xA1", 129)), "1000-2000:\xEA\xB0\x80;")
        << "CP949";
}

// Ranges as "start-end" at 1,000 bytes per second with 4-byte frames.
std::string Plan(const std::vector<SubtitleCue>& cues, std::uint32_t dataSize) {
    auto plan = SubtitleSentences::Make(cues, 1000, 4, dataSize);
    std::string out = plan.truncated ? "truncated " : "";
    for (const auto& r : plan.ranges) {
        out +=
            std::to_string(r.start) + "-" + std::to_string(r.end) + ":" + Utf16ToUtf8(r.text) + " ";
    }
    return out;
}

SubtitleCue Cue(std::int64_t start, std::int64_t end, const char16_t* text) {
    return {start, end, text, 0};
}

TEST(SubtitleSentences, CueTimesBecomeFrameAlignedRanges) {
    // Truncated and rounded down to a frame; sorted; an overlap ends where the next begins;
    // the end clamped to the data; a cue starting beyond the data dropped.
    EXPECT_EQ(Plan({Cue(5000, 9999, u"c"), Cue(1003, 2007, u"a"), Cue(1500, 4000, u"b"),
                    Cue(12000, 13000, u"late")},
                   9002),
              "1000-1500:a 1500-4000:b 5000-9001:c ");
    // LRC lines end at the next start, the last at the end of the data.
    EXPECT_EQ(
        Plan({Cue(2000, SubtitleCue::kOpenEnd, u"y"), Cue(0, SubtitleCue::kOpenEnd, u"x")}, 6000),
        "0-2000:x 2000-5999:y ");
    EXPECT_EQ(Plan({Cue(0, 10, u"x")}, 0), "");
    // Times far beyond any recording do not wrap round.
    EXPECT_EQ(Plan({Cue(0, 9000000000000000000, u"x"), Cue(9000000000000000000, 1, u"y")}, 400),
              "0-399:x ");

    std::vector<SubtitleCue> many;
    for (int i = 2100; i-- > 0;) {
        many.push_back(Cue(i * 10, i * 10 + 5, u""));
    }
    auto plan = SubtitleSentences::Make(many, 1000, 4, 100000);
    EXPECT_TRUE(plan.truncated);
    ASSERT_EQ(plan.ranges.size(), 2000u);
    EXPECT_EQ(plan.ranges.back().start, 19988u) << "the first 2,000 in time order";
}

TEST(SubtitleFile, WritesEachFormatAndReadsItBack) {
    // 44,100 Hz 16-bit stereo: 176,400 bytes per second.
    const std::vector<SubtitleFile::Entry> entries{
        {176400, 441000 + 88, u"Tom & Jerry\r<run> -->"},
        {529200, 529200 + 176, u""},
        {3600 * 176400u + 4000, 3601 * 176400u + 1764, u"Last\r\rline"},
    };
    EXPECT_EQ(SubtitleFile::Write(SubtitleFile::Format::Srt, entries, 176400),
              "1\r\n00:00:01,000 --> 00:00:02,500\r\nTom & Jerry\r\n<run> -->\r\n\r\n"
              "2\r\n01:00:00,023 --> 01:00:01,010\r\nLast\r\nline\r\n\r\n");
    EXPECT_EQ(SubtitleFile::Write(SubtitleFile::Format::WebVtt, entries, 176400),
              "WEBVTT\n\n00:00:01.000 --> 00:00:02.500\nTom &amp; Jerry\n&lt;run&gt; --&gt;\n\n"
              "01:00:00.023 --> 01:00:01.010\nLast\nline\n\n");
    EXPECT_EQ(SubtitleFile::Write(SubtitleFile::Format::Lrc, entries, 176400),
              "[00:01.00]Tom & Jerry <run> -->\n[60:00.02]Last line\n");

    for (auto format : {SubtitleFile::Format::Srt, SubtitleFile::Format::WebVtt}) {
        const char* path = format == SubtitleFile::Format::Srt ? "x.srt" : "x.vtt";
        const SubtitleParse back =
            SubtitleFile::Read(path, SubtitleFile::Write(format, entries, 176400), 0);
        EXPECT_EQ(Show(back), "1000-2500:Tom & Jerry|<run> -->;3600023-3601010:Last|line;") << path;
    }
}

} // namespace
