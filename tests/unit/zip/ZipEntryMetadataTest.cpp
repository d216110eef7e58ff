// What an entry tells about its file: attributes from the file's mode, and time stamps.

#include <string>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "unit/zip/ArchiveReaders.h"
#include "unit/zip/ZipFixture.h"
#include "zip/Zip.h"

using ziptest::ZipFixture;

namespace {

std::uint32_t utModifyTime(const std::string& centralExtra) {
    if (centralExtra.size() != 9 || centralExtra.substr(0, 5) != std::string("UT\x05\x00\x07", 5)) {
        return 0;
    }
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<std::uint8_t>(centralExtra[5 + i]);
    }
    return value;
}

} // namespace

TEST_F(ZipFixture, AttributesFollowTheFilesMode) {
    struct Case {
        std::string file;
        mode_t mode;
        std::uint32_t attributes;
    };
    const std::vector<Case> cases = {
        {"writable.zip", 0644, 0x81800020},  // regular, owner read and write, archive
        {"read-only.zip", 0444, 0x81000021}, // no owner write: the read-only bit instead
        {"program.zip", 0755, 0x81C00020},   // owner execute
        {".hidden.zip", 0600, 0x81800022},   // a dot file is hidden
    };
    const std::string archive = folder.file("attributes.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    for (const Case& c : cases) {
        const std::string path = makeFile(c.file, "data", c.mode);
        EXPECT_EQ(ZipAddEntry(zip, c.file.c_str(), path.c_str(), 0, ZipKindFileName), ZipOk);
    }
    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);
    const auto entries = ziptest::readWithPython(archive);
    ASSERT_EQ(entries.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(entries[i].externalAttributes, cases[i].attributes) << cases[i].file;
    }
}

TEST_F(ZipFixture, TimeStampsAreTheLocalModificationTimeWithinTheFieldsRanges) {
    struct Case {
        std::string file;
        std::int64_t modifyTime;
        std::string dosTime;     // what readers show from the DOS fields: local time
        std::uint32_t unixTime;  // the UT field
        std::string unzipUtTime; // what unzip shows from the UT field
    };
    const std::vector<Case> cases = {
        // 2024-06-15 10:14:56 UTC, summer time in Prague.
        {"summer.zip", 1718446496, "2024-06-15 12:14:56", 1718446496, "2024 Jun 15 12:14:56 local"},
        // 2024-01-15 12:00:01 UTC, winter time; DOS seconds are even.
        {"winter.zip", 1705320001, "2024-01-15 13:00:00", 1705320001, "2024 Jan 15 13:00:01 local"},
        // 1965-07-25 15:06:40 UTC: DOS from 1980, UT from 1970, the time of day kept.
        {"1965.zip", -140000000, "1980-01-01 16:06:40", 54400, "1970 Jan 1 16:06:40 local"},
        // 2050-06-16 13:46:40 UTC: DOS holds it, UT stops on 31 December 2037.
        {"2050.zip", 2539000000, "2050-06-16 15:46:40", 2145880000, "2037 Dec 31 14:46:40 local"},
    };
    const std::string archive = folder.file("times.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    for (const Case& c : cases) {
        const std::string path = makeFile(c.file, "data", 0644, c.modifyTime);
        EXPECT_EQ(ZipAddEntry(zip, c.file.c_str(), path.c_str(), 0, ZipKindFileName), ZipOk);
    }
    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);
    ziptest::expectReadersAccept(archive);
    const auto entries = ziptest::readWithPython(archive);
    ASSERT_EQ(entries.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(entries[i].dateTime, c.dosTime) << c.file;
        EXPECT_EQ(utModifyTime(entries[i].extra), c.unixTime) << c.file;
        EXPECT_EQ(ziptest::unzipModificationTime(archive, c.file), c.unzipUtTime) << c.file;
    }
}

TEST_F(ZipFixture, EntriesWithoutAFileAreDatedNow) {
    const std::string archive = folder.file("now.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    const std::int64_t before = ::time(nullptr);
    EXPECT_EQ(ZipAddEntry(zip, "memory.zip", "abc", 3, ZipKindMemory), ZipOk);
    EXPECT_EQ(ZipAddEntry(zip, "folder", nullptr, 0, ZipKindFolder), ZipOk);
    const std::int64_t after = ::time(nullptr);
    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);
    for (const auto& entry : ziptest::readWithPython(archive)) {
        EXPECT_GE(utModifyTime(entry.extra), before) << entry.name;
        EXPECT_LE(utModifyTime(entry.extra), after) << entry.name;
    }
}
