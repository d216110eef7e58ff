#include "platform/Files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

std::optional<struct stat> statOf(const Text& path) {
    struct stat info {};
    if (::stat(toUtf8(path).c_str(), &info) != 0) {
        return std::nullopt;
    }
    return info;
}

// Writes all of `size` bytes, retrying after interruptions and short writes.
bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool copyContents(int in, int out) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(in, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        if (n == 0) {
            return true;
        }
        if (!writeAll(out, buffer, static_cast<std::size_t>(n))) {
            return false;
        }
    }
}

} // namespace

bool fileExists(const Text& path) {
    const auto info = statOf(path);
    return info && !S_ISDIR(info->st_mode);
}

bool folderExists(const Text& path) {
    const auto info = statOf(path);
    return info && S_ISDIR(info->st_mode);
}

bool deleteFile(const Text& path) {
    return fileExists(path) && ::unlink(toUtf8(path).c_str()) == 0;
}

bool renameFile(const Text& from, const Text& to) {
    const std::string source = toUtf8(from);
    const std::string target = toUtf8(to);
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return false;
    }
    // A file system without the no-replace flag: test for the target, then rename.
    struct stat info {};
    return ::lstat(target.c_str(), &info) != 0 && errno == ENOENT &&
           ::rename(source.c_str(), target.c_str()) == 0;
}

bool copyFile(const Text& from, const Text& to) {
    const int in = ::open(toUtf8(from).c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(in, &info) != 0 || S_ISDIR(info.st_mode)) {
        ::close(in);
        return false;
    }
    const std::string target = toUtf8(to);
    std::string temporary = target + ".XXXXXX";
    const int out = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (out < 0) {
        ::close(in);
        return false;
    }
    const struct timespec times[2] = {info.st_atim, info.st_mtim};
    bool ok = copyContents(in, out) && ::fchmod(out, info.st_mode & 07777) == 0 &&
              ::futimens(out, times) == 0 && ::fsync(out) == 0;
    ok = ::close(out) == 0 && ok;
    ::close(in);
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
    }
    return ok;
}

bool createFolder(const Text& path) {
    return ::mkdir(toUtf8(path).c_str(), 0777) == 0;
}

std::optional<std::int64_t> fileSize(const Text& path) {
    const auto info = statOf(path);
    if (!info || S_ISDIR(info->st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(info->st_size);
}

} // namespace platform
