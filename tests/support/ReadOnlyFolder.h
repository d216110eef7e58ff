#pragma once
// Makes a folder refuse new entries for as long as the object lives: no file can be created,
// renamed or deleted in it. Permission bits do not stop root, so when the tests run as root the
// folder also gets the file system's immutable flag.

#include <string>

namespace testsupport {

class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(std::string path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // True when a probe file really could not be created; tests skip themselves otherwise.
    bool effective() const { return effective_; }

private:
    std::string path_;
    bool immutable_ = false;
    bool effective_ = false;
};

} // namespace testsupport
