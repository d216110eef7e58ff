#include "support/ReadOnlyFolder.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testsupport {
namespace {

bool setImmutable(const std::string& path, bool on) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(std::string path) : path_(std::move(path)) {
    ::chmod(path_.c_str(), 0555);
    if (::geteuid() == 0) {
        immutable_ = setImmutable(path_, true);
    }
    const std::string probe = path_ + "/.probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
        ::unlink(probe.c_str());
    }
    effective_ = fd < 0;
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (immutable_) {
        setImmutable(path_, false);
    }
    ::chmod(path_.c_str(), 0755);
}

} // namespace testsupport
