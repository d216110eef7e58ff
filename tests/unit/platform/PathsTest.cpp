#include "platform/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "support/TempFolder.h"

using namespace platform;

struct PathCase {
    const char* path;
    const char* folder;
    const char* fileName;
};
void PrintTo(const PathCase& c, std::ostream* os) {
    *os << '"' << c.path << '"';
}

class PathParts : public testing::TestWithParam<PathCase> {};

TEST_P(PathParts, SplitAtTheLastSeparator) {
    EXPECT_EQ(folderPart(GetParam().path), GetParam().folder) << GetParam().path;
    EXPECT_EQ(fileNamePart(GetParam().path), GetParam().fileName) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Paths, PathParts,
                         testing::Values(PathCase{"/data/a.txt", "/data", "a.txt"},
                                         PathCase{"/a.txt", "/", "a.txt"},
                                         PathCase{"a.txt", "", "a.txt"},
                                         PathCase{"/data/logs/", "/data/logs", ""},
                                         PathCase{"/", "/", ""}, PathCase{"//a", "//", "a"},
                                         PathCase{"rel/x", "rel", "x"}, PathCase{"", "", ""}));

TEST(Paths, TrailingSeparatorIsAddedOnlyWhenMissing) {
    EXPECT_EQ(withTrailingSeparator("/data"), "/data/");
    EXPECT_EQ(withTrailingSeparator("/data/"), "/data/");
    EXPECT_EQ(withTrailingSeparator("/"), "/");
    EXPECT_TRUE(isRoot("/"));
    EXPECT_FALSE(isRoot("/data"));
    EXPECT_FALSE(isRoot(""));
}

TEST(Paths, ProgramFolderIsTheExecutablesWhateverTheCurrentFolder) {
    const Text before = programFolder();
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(before.back(), '/');
    EXPECT_TRUE(fileExists(before + "unit_platform"));

    const auto previous = std::filesystem::current_path();
    testsupport::TempFolder elsewhere;
    ASSERT_EQ(::chdir(elsewhere.path().c_str()), 0);
    EXPECT_EQ(programFolder(), before);
    std::filesystem::current_path(previous);
}

TEST(Paths, ProgramFolderSeamIsForTestsOnly) {
    const Text real = programFolder();
    setProgramFolderForTesting("/srv/sender");
    EXPECT_EQ(programFolder(), "/srv/sender/");
    setProgramFolderForTesting("");
    EXPECT_EQ(programFolder(), real);
}

TEST(Paths, TempFolderEndsWithASeparator) {
    const char* saved = std::getenv("TMPDIR");
    const std::string restore = saved ? saved : "";
    ::setenv("TMPDIR", "/var/tmp", 1);
    EXPECT_EQ(tempFolder(), "/var/tmp/");
    ::setenv("TMPDIR", "/var/tmp/", 1);
    EXPECT_EQ(tempFolder(), "/var/tmp/");
    ::unsetenv("TMPDIR");
    EXPECT_EQ(tempFolder(), "/tmp/");
    if (saved) {
        ::setenv("TMPDIR", restore.c_str(), 1);
    }
}

TEST(Paths, CurrentFolderFollowsChdir) {
    const auto previous = std::filesystem::current_path();
    testsupport::TempFolder folder;
    ASSERT_EQ(::chdir(folder.path().c_str()), 0);
    EXPECT_EQ(currentFolder(), std::filesystem::canonical(folder.path()).string());
    ASSERT_EQ(::chdir("/"), 0);
    EXPECT_EQ(currentFolder(), "/");
    std::filesystem::current_path(previous);
}
