#pragma once
// What the system tells about an open file: its type, size, owner permissions and times.

#include <cstdint>
#include <optional>

#include "platform/FileHandle.h"

namespace platform {

enum class FileType {
    Regular, // a disk file: it can seek, and its size is known
    Folder,
    Other, // a pipe, a socket, a terminal, a device
};

struct FileInfo {
    FileType type = FileType::Other;
    std::int64_t size = 0; // bytes; 0 for anything but a regular file
    bool ownerCanWrite = false;
    bool ownerCanExecute = false;
    // Seconds since 1970-01-01 00:00 UTC. The creation time is the file's birth time where the
    // file system records one, else its last-write time.
    std::int64_t accessTime = 0;
    std::int64_t modifyTime = 0;
    std::int64_t createTime = 0;
};

// The information of the open file; nullopt when the system cannot give it (a closed handle).
std::optional<FileInfo> fileInfo(FileHandle handle);

// True when the handle is open on a regular file.
bool isDiskFile(FileHandle handle);

} // namespace platform
