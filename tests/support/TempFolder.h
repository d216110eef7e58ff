#pragma once
// A fresh folder under the temporary folder, removed with everything in it at the end.

#include <string>

namespace testsupport {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, without a trailing separator (ASCII, so it is also valid `Text`).
    const std::string& path() const { return path_; }

    // path() + "/" + name.
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

} // namespace testsupport
