#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, StudyFileAndSwitches) {
    CommandLine plain = CommandLine::Parse({"/s/a.ekd"});
    EXPECT_EQ(plain.studyFile, "/s/a.ekd");
    EXPECT_TRUE(plain.showTitlePicture);

    CommandLine quiet = CommandLine::Parse({"--no-splash", "--demo", "/d.ekd", "/s/b.ekd"});
    EXPECT_FALSE(quiet.showTitlePicture);
    EXPECT_EQ(quiet.demoStudy, "/d.ekd");
    EXPECT_EQ(quiet.studyFile, "/s/b.ekd");

    EXPECT_FALSE(CommandLine::Parse({"-Embedding"}).showTitlePicture);
    EXPECT_FALSE(CommandLine::Parse({"/Automation"}).showTitlePicture);

    CommandLine shot = CommandLine::Parse({"--screenshot", "/tmp/x.png"});
    EXPECT_EQ(shot.screenshot, "/tmp/x.png");
    EXPECT_FALSE(shot.showTitlePicture);
}

TEST(CommandLine, Mistakes) {
    EXPECT_FALSE(CommandLine::Parse({"--demo"}).error.empty());
    EXPECT_FALSE(CommandLine::Parse({"--bogus"}).error.empty());
}

} // namespace
