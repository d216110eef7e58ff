#include "platform/FileHandle.h"

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/FileBytes.h"
#include "support/TempFolder.h"

using namespace platform;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace fs = std::filesystem;

class FileHandles : public testing::Test {
protected:
    testsupport::TempFolder folder;
    std::string file(const std::string& name) const { return folder.file(name); }
};

TEST_F(FileHandles, CreateEmptiesAnExistingFileAndMakesNewOnesPrivate) {
    writeBytes(file("old"), "old content");
    for (const std::string name : {"old", "new"}) {
        const FileHandle handle = createFileExclusive(file(name));
        ASSERT_NE(handle, kNoFileHandle) << name;
        EXPECT_EQ(writeFile(handle, "abc", 3), 3u);
        EXPECT_TRUE(closeFile(handle));
        EXPECT_EQ(readBytes(file(name)), "abc") << name;
    }
    struct stat info {};
    ASSERT_EQ(::stat(file("new").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(FileHandles, CreateRefusesAFileThatIsBeingWrittenAndLeavesIt) {
    const FileHandle first = createFileExclusive(file("a.zip"));
    ASSERT_NE(first, kNoFileHandle);
    writeFile(first, "first", 5);
    EXPECT_EQ(createFileExclusive(file("a.zip")), kNoFileHandle);
    EXPECT_EQ(readBytes(file("a.zip")), "first");
    closeFile(first);

    const FileHandle again = createFileExclusive(file("a.zip"));
    EXPECT_NE(again, kNoFileHandle);
    closeFile(again);
}

TEST_F(FileHandles, CreateRefusesASymbolicLinkAndAMissingFolder) {
    writeBytes(file("victim"), "keep me");
    fs::create_symlink(file("victim"), file("link.zip"));
    EXPECT_EQ(createFileExclusive(file("link.zip")), kNoFileHandle);
    EXPECT_EQ(readBytes(file("victim")), "keep me");
    EXPECT_EQ(createFileExclusive(file("missing/a.zip")), kNoFileHandle);
}

TEST_F(FileHandles, OpenForReadingRefusesFoldersAndMissingFilesAndDoesNotWaitForAPipe) {
    fs::create_directory(file("sub"));
    EXPECT_EQ(openFileForReading(file("sub")), kNoFileHandle);
    EXPECT_EQ(openFileForReading(file("missing")), kNoFileHandle);

    ASSERT_EQ(::mkfifo(file("fifo").c_str(), 0600), 0);
    const FileHandle pipe = openFileForReading(file("fifo"));
    ASSERT_NE(pipe, kNoFileHandle);
    char buffer[4];
    EXPECT_EQ(readFile(pipe, buffer, sizeof buffer), 0u); // no writer: the end at once
    closeFile(pipe);
}

TEST_F(FileHandles, ReadsWritesAndSeeksADiskFile) {
    writeBytes(file("data"), "0123456789");
    const FileHandle handle = openFileForReading(file("data"));
    ASSERT_NE(handle, kNoFileHandle);
    char buffer[16] = {};
    EXPECT_EQ(readFile(handle, buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "0123");
    EXPECT_EQ(filePosition(handle), 4u);
    EXPECT_TRUE(seekFile(handle, 8));
    EXPECT_EQ(readFile(handle, buffer, sizeof buffer), 2u);
    EXPECT_EQ(std::string(buffer, 2), "89");
    EXPECT_EQ(readFile(handle, buffer, sizeof buffer), 0u);
    EXPECT_EQ(writeFile(handle, "x", 1), 0u); // opened for reading only
    closeFile(handle);

    const FileHandle out = createFileExclusive(file("out"));
    EXPECT_EQ(writeFile(out, "abcdef", 6), 6u);
    EXPECT_TRUE(seekFile(out, 1));
    EXPECT_EQ(writeFile(out, "XY", 2), 2u);
    EXPECT_TRUE(seekFile(out, 6));
    closeFile(out);
    EXPECT_EQ(readBytes(file("out")), "aXYdef");
}

TEST_F(FileHandles, APipeCannotSeekAndAFullDeviceRefusesWrites) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    EXPECT_FALSE(seekFile(ends[1], 0));
    EXPECT_EQ(filePosition(ends[1]), std::nullopt);
    EXPECT_EQ(writeFile(ends[1], "abc", 3), 3u);
    char buffer[3];
    EXPECT_EQ(readFile(ends[0], buffer, 3), 3u);
    closeFile(ends[0]);
    closeFile(ends[1]);

    const FileHandle full = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_GE(full, 0);
    EXPECT_EQ(writeFile(full, "abc", 3), 0u);
    closeFile(full);
}

TEST_F(FileHandles, ADuplicateSharesThePositionAndIsClosedOnItsOwn) {
    const FileHandle original = createFileExclusive(file("out"));
    const FileHandle copy = duplicateHandle(original);
    ASSERT_NE(copy, kNoFileHandle);
    EXPECT_NE(copy, original);
    writeFile(original, "ab", 2);
    EXPECT_EQ(filePosition(copy), 2u);
    EXPECT_TRUE(closeFile(original));
    EXPECT_EQ(writeFile(copy, "cd", 2), 2u);
    EXPECT_TRUE(closeFile(copy));
    EXPECT_EQ(readBytes(file("out")), "abcd");

    EXPECT_EQ(duplicateHandle(kNoFileHandle), kNoFileHandle);
    EXPECT_EQ(duplicateHandle(copy), kNoFileHandle); // closed
    EXPECT_FALSE(closeFile(copy));
}
