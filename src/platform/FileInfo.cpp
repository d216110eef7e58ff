#include "platform/FileInfo.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {

std::optional<FileInfo> fileInfo(FileHandle handle) {
    struct statx info {};
    if (::statx(handle, "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &info) != 0) {
        return std::nullopt;
    }
    FileInfo result;
    if (S_ISREG(info.stx_mode)) {
        result.type = FileType::Regular;
        result.size = static_cast<std::int64_t>(info.stx_size);
    } else if (S_ISDIR(info.stx_mode)) {
        result.type = FileType::Folder;
    }
    result.ownerCanWrite = (info.stx_mode & S_IWUSR) != 0;
    result.ownerCanExecute = (info.stx_mode & S_IXUSR) != 0;
    result.accessTime = info.stx_atime.tv_sec;
    result.modifyTime = info.stx_mtime.tv_sec;
    result.createTime =
        (info.stx_mask & STATX_BTIME) != 0 ? info.stx_btime.tv_sec : info.stx_mtime.tv_sec;
    return result;
}

bool isDiskFile(FileHandle handle) {
    struct stat info {};
    return ::fstat(handle, &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace platform
