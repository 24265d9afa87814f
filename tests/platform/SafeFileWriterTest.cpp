#include "platform/SafeFileWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

TEST(SafeFileWriter, ReplacesTheFileAndKeepsItsPermissions) {
    TempDir dir;
    std::string path = dir.Write("a.bin", {1, 2, 3});
    ::chmod(path.c_str(), 0640);
    std::vector<std::uint8_t> next{9, 8, 7, 6};
    std::string error;
    ASSERT_TRUE(SafeFileWriter::Write(path, next, &error)) << error;
    EXPECT_EQ(TempDir::Read(path), next);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(SafeFileWriter, FailsWithAReasonAndTouchesNothingWhenTheFolderIsMissing) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(
        SafeFileWriter::Write(dir.Path("missing/a.bin"), std::vector<std::uint8_t>{1}, &error));
    EXPECT_FALSE(error.empty());
}

TEST(SafeFileWriter, ATargetThatIsAFolderIsNotReplaced) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path("folder/inner"));
    EXPECT_FALSE(SafeFileWriter::Write(dir.Path("folder"), std::vector<std::uint8_t>{1}));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path("folder/inner")));
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Folder())) {
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "the temporary file is removed";
}

} // namespace
