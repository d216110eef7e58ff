#include "platform/FileHandle.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FileHandle createFileExclusive(const Text& path) {
    const int fd = ::open(toUtf8(path).c_str(), O_WRONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                          S_IRUSR | S_IWUSR);
    if (fd < 0) {
        return kNoFileHandle;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return kNoFileHandle;
    }
    return fd;
}

FileHandle openFileForReading(const Text& path) {
    // Without O_NONBLOCK, opening a named pipe would wait for a writer, possibly for ever.
    const int fd = ::open(toUtf8(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return kNoFileHandle;
    }
    struct stat info {};
    const int flags = ::fcntl(fd, F_GETFL);
    if (::fstat(fd, &info) != 0 || S_ISDIR(info.st_mode) || flags < 0 ||
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        return kNoFileHandle;
    }
    return fd;
}

std::size_t readFile(FileHandle handle, void* buffer, std::size_t size) {
    for (;;) {
        const ssize_t n = ::read(handle, buffer, size);
        if (n >= 0) {
            return static_cast<std::size_t>(n);
        }
        if (errno != EINTR) {
            return 0;
        }
    }
}

std::size_t writeFile(FileHandle handle, const void* data, std::size_t size) {
    const auto* bytes = static_cast<const char*>(data);
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = ::write(handle, bytes + written, size - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        written += static_cast<std::size_t>(n);
    }
    return written;
}

bool seekFile(FileHandle handle, std::uint64_t position) {
    return position <= static_cast<std::uint64_t>(INT64_MAX) &&
           ::lseek(handle, static_cast<off_t>(position), SEEK_SET) >= 0;
}

std::optional<std::uint64_t> filePosition(FileHandle handle) {
    const off_t position = ::lseek(handle, 0, SEEK_CUR);
    if (position < 0) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(position);
}

FileHandle duplicateHandle(FileHandle handle) {
    const int fd = ::fcntl(handle, F_DUPFD_CLOEXEC, 0);
    return fd < 0 ? kNoFileHandle : fd;
}

bool closeFile(FileHandle handle) {
    // Linux releases the descriptor even when close reports EINTR, so it is never retried.
    return ::close(handle) == 0;
}

} // namespace platform
