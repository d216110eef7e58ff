#pragma once
// What the writer's tests share: a temporary folder, files with a chosen mode and modification
// time, and the local time zone set to Central European time, so that local time and UTC differ.

#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace ziptest {

class ZipFixture : public testing::Test {
protected:
    void SetUp() override {
        const char* saved = std::getenv("TZ");
        savedZone_ = saved ? std::optional<std::string>(saved) : std::nullopt;
        ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1); // the readers inherit it
        ::tzset();
    }
    void TearDown() override {
        if (savedZone_) {
            ::setenv("TZ", savedZone_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }

    // Writes a file in the folder and returns its path.
    std::string makeFile(const std::string& name, const std::string& bytes, mode_t mode = 0644,
                         std::int64_t modifyTime = 1718446496) {
        const std::string path = folder.file(name);
        testsupport::writeBytes(path, bytes);
        ::chmod(path.c_str(), mode);
        const struct timespec times[2] = {{1700000000, 0}, {modifyTime, 0}};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
        return path;
    }

    testsupport::TempFolder folder;

private:
    std::optional<std::string> savedZone_;
};

} // namespace ziptest
