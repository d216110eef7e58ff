#include "platform/Files.h"

#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/FileBytes.h"
#include "support/TempFolder.h"

using namespace platform;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace fs = std::filesystem;

class Files : public testing::Test {
protected:
    testsupport::TempFolder folder;
    std::string file(const std::string& name) const { return folder.file(name); }
    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.path()), {}));
    }
};

TEST_F(Files, ExistenceTellsFilesFromFolders) {
    writeBytes(file("a.txt"), "abc");
    fs::create_directory(file("sub"));
    fs::create_symlink(file("a.txt"), file("link"));

    struct Case {
        std::string path;
        bool isFile;
        bool isFolder;
    };
    for (const Case& c : {Case{file("a.txt"), true, false}, Case{file("sub"), false, true},
                          Case{file("link"), true, false}, Case{file("missing"), false, false},
                          Case{"", false, false}}) {
        EXPECT_EQ(fileExists(c.path), c.isFile) << c.path;
        EXPECT_EQ(folderExists(c.path), c.isFolder) << c.path;
    }
}

TEST_F(Files, PathsInWindows1250NameTheFilesOnDisk) {
    const Text name = cz("Účetnictví ceník.dbf");
    const Text path = folder.path() + "/" + name;
    writeBytes(folder.path() + "/" + toUtf8(name), "x");
    EXPECT_TRUE(fs::exists(folder.path() + "/Účetnictví ceník.dbf"));
    EXPECT_TRUE(fileExists(path));
    EXPECT_EQ(fileSize(path), 1);
    EXPECT_TRUE(deleteFile(path));
    EXPECT_FALSE(fileExists(path));
}

TEST_F(Files, DeleteRemovesFilesOnly) {
    writeBytes(file("a.txt"), "abc");
    fs::create_directory(file("sub"));
    EXPECT_TRUE(deleteFile(file("a.txt")));
    EXPECT_FALSE(fs::exists(file("a.txt")));
    EXPECT_FALSE(deleteFile(file("a.txt")));
    EXPECT_FALSE(deleteFile(file("sub")));
    EXPECT_TRUE(fs::is_directory(file("sub")));
}

TEST_F(Files, RenameNeverReplacesAnExistingFile) {
    writeBytes(file("a"), "first");
    writeBytes(file("b"), "second");
    EXPECT_FALSE(renameFile(file("a"), file("b")));
    EXPECT_EQ(readBytes(file("a")), "first");
    EXPECT_EQ(readBytes(file("b")), "second");

    EXPECT_TRUE(renameFile(file("a"), file("c")));
    EXPECT_FALSE(fs::exists(file("a")));
    EXPECT_EQ(readBytes(file("c")), "first");
    EXPECT_FALSE(renameFile(file("missing"), file("d")));
}

TEST_F(Files, CopyReplacesTheTargetAndKeepsTimeAndMode) {
    writeBytes(file("source"), std::string(200000, 'x') + "end");
    ::chmod(file("source").c_str(), 0640);
    const auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(50);
    fs::last_write_time(file("source"), stamp);
    writeBytes(file("target"), "old contents");

    ASSERT_TRUE(copyFile(file("source"), file("target")));
    EXPECT_EQ(readBytes(file("target")), readBytes(file("source")));
    EXPECT_EQ(fs::last_write_time(file("target")), stamp);
    EXPECT_EQ(fs::status(file("target")).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(entries(), 2u) << "no temporary file stays behind";
}

TEST_F(Files, FailedCopyLeavesTheTargetAlone) {
    writeBytes(file("target"), "keep me");
    EXPECT_FALSE(copyFile(file("missing"), file("target")));
    EXPECT_EQ(readBytes(file("target")), "keep me");

    writeBytes(file("source"), "data");
    EXPECT_FALSE(copyFile(file("source"), file("no-such-folder/target")));
    fs::create_directory(file("sub"));
    EXPECT_FALSE(copyFile(file("source"), file("sub")));
    EXPECT_TRUE(fs::is_directory(file("sub")));
    EXPECT_EQ(entries(), 3u);
}

TEST_F(Files, CreateFolderMakesOneLevel) {
    EXPECT_TRUE(createFolder(file("one")));
    EXPECT_TRUE(fs::is_directory(file("one")));
    EXPECT_FALSE(createFolder(file("one")));
    EXPECT_FALSE(createFolder(file("two/three")));
    EXPECT_FALSE(fs::exists(file("two")));
}

TEST_F(Files, SizeOfFilesOnly) {
    writeBytes(file("empty"), "");
    writeBytes(file("five"), "12345");
    fs::create_directory(file("sub"));
    EXPECT_EQ(fileSize(file("empty")), 0);
    EXPECT_EQ(fileSize(file("five")), 5);
    EXPECT_EQ(fileSize(file("sub")), std::nullopt);
    EXPECT_EQ(fileSize(file("missing")), std::nullopt);
}
