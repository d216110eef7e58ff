#include "platform/FileInfo.h"

#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/FileBytes.h"
#include "support/TempFolder.h"

using namespace platform;

namespace {

void setTimes(const std::string& path, std::int64_t access, std::int64_t modify) {
    const struct timespec times[2] = {{access, 0}, {modify, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

} // namespace

TEST(FileInfo, ReportsTypeSizePermissionsAndTimesOfAnOpenFile) {
    testsupport::TempFolder folder;
    const std::string path = folder.file("data");
    testsupport::writeBytes(path, "12345");

    struct Case {
        mode_t mode;
        std::int64_t modifyTime;
        bool canWrite;
        bool canExecute;
    };
    // 1965 and 2050 lie outside what 32 bits of seconds hold; the layer must not clip them.
    for (const Case& c : {Case{0644, 1718446496, true, false}, Case{0444, -140000000, false, false},
                          Case{0755, 2539000000, true, true}, Case{0500, 0, false, true}}) {
        ::chmod(path.c_str(), c.mode);
        setTimes(path, 1700000000, c.modifyTime);
        const FileHandle handle = openFileForReading(path);
        ASSERT_NE(handle, kNoFileHandle);
        const auto info = fileInfo(handle);
        EXPECT_TRUE(isDiskFile(handle));
        closeFile(handle);
        ASSERT_TRUE(info.has_value());
        EXPECT_EQ(info->type, FileType::Regular);
        EXPECT_EQ(info->size, 5);
        EXPECT_EQ(info->ownerCanWrite, c.canWrite) << std::oct << c.mode;
        EXPECT_EQ(info->ownerCanExecute, c.canExecute) << std::oct << c.mode;
        EXPECT_EQ(info->accessTime, 1700000000);
        EXPECT_EQ(info->modifyTime, c.modifyTime);
        EXPECT_GT(info->createTime, 0);
    }
}

TEST(FileInfo, TellsFoldersAndPipesFromDiskFiles) {
    testsupport::TempFolder folder;
    const int folderHandle = ::open(folder.path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);

    const auto folderInfo = fileInfo(folderHandle);
    const auto pipeInfo = fileInfo(ends[0]);
    ASSERT_TRUE(folderInfo && pipeInfo);
    EXPECT_EQ(folderInfo->type, FileType::Folder);
    EXPECT_EQ(pipeInfo->type, FileType::Other);
    EXPECT_EQ(pipeInfo->size, 0);
    EXPECT_FALSE(isDiskFile(folderHandle));
    EXPECT_FALSE(isDiskFile(ends[0]));

    for (const int handle : {folderHandle, ends[0], ends[1]}) {
        closeFile(handle);
    }
    EXPECT_EQ(fileInfo(ends[0]), std::nullopt);
    EXPECT_FALSE(isDiskFile(ends[0]));
}
