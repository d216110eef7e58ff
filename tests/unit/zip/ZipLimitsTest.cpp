// The format's limits (16-bit counts, 32-bit sizes and offsets, 259-byte names) are refused
// before they overflow, and the archive written so far stays valid.

#include <fcntl.h>
#include <random>
#include <string>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "unit/zip/ArchiveReaders.h"
#include "unit/zip/ZipFixture.h"
#include "zip/TZip.h"
#include "zip/Zip.h"

using ziptest::ZipFixture;

TEST_F(ZipFixture, NamesLongerThan259BytesAreRefused) {
    const std::string archive = folder.file("names.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    const std::string longest = std::string(255, 'n') + ".zip";
    EXPECT_EQ(ZipAddEntry(zip, longest.c_str(), "abc", 3, ZipKindMemory), ZipOk);
    EXPECT_EQ(ZipAddEntry(zip, ("x" + longest).c_str(), "abc", 3, ZipKindMemory), ZipErrArgs);
    EXPECT_EQ(ZipAddEntry(zip, std::string(258, 'd').c_str(), nullptr, 0, ZipKindFolder), ZipOk);
    // The slash that a folder gets counts as well.
    EXPECT_EQ(ZipAddEntry(zip, std::string(259, 'd').c_str(), nullptr, 0, ZipKindFolder),
              ZipErrArgs);
    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);
    const auto entries = ziptest::readWithPython(archive);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, longest);
    EXPECT_EQ(entries[1].name, std::string(258, 'd') + "/");
}

TEST_F(ZipFixture, The65536thEntryIsRefused) {
    const std::string archive = folder.file("many.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    for (int i = 0; i < 65535; ++i) {
        ASSERT_EQ(ZipAddEntry(zip, std::to_string(i).c_str(), nullptr, 0, ZipKindFolder), ZipOk);
    }
    EXPECT_EQ(ZipAddEntry(zip, "one more", nullptr, 0, ZipKindFolder), ZipErrTooLarge);
    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);
    const auto entries = ziptest::readWithPython(archive, false);
    ASSERT_EQ(entries.size(), 65535u);
    EXPECT_EQ(entries.back().name, "65534/");
}

TEST_F(ZipFixture, AFileOf4GiBIsRefusedBeforeAnythingIsWritten) {
    const std::string huge = folder.file("huge.bin");
    const int handle = ::open(huge.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(handle, 0);
    ASSERT_EQ(::ftruncate(handle, 0xFFFFFFFFll), 0); // sparse: takes no room
    ::close(handle);
    const std::string archive = folder.file("huge.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipAddEntry(zip, "huge.bin", huge.c_str(), 0, ZipKindFileName), ZipErrTooLarge);
    EXPECT_EQ(zip->zip->bytesWritten, 0u);
    EXPECT_EQ(ZipAddEntry(zip, "after.zip", "abc", 3, ZipKindMemory), ZipOk);
    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);
    EXPECT_EQ(ziptest::readWithPython(archive).size(), 1u);
}

// With the limits lowered, the same checks work on small data: an entry that would carry the
// archive past its limit, known in advance or found while it is written, is refused.
TEST_F(ZipFixture, AnEntryThatWouldPassTheArchiveLimitIsRefused) {
    std::mt19937 random(3);
    std::string noise(100000, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    const std::string archive = folder.file("limited.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    zip->zip->archiveLimit = 60000;
    zip->zip->entryLimit = 40000;
    EXPECT_EQ(ZipAddEntry(zip, "first.zip", "abc", 3, ZipKindMemory), ZipOk);
    const std::uint32_t afterFirst = zip->zip->bytesWritten;
    EXPECT_EQ(ZipAddEntry(zip, "entry.zip", noise.data(), 40001, ZipKindMemory), ZipErrTooLarge);
    EXPECT_EQ(zip->zip->bytesWritten, afterFirst) << "refused in advance";

    // A stream of unknown length: found out while it is copied.
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::thread writer([&] {
        for (std::size_t at = 0; at < noise.size();) {
            const ssize_t n = ::write(ends[1], noise.data() + at, noise.size() - at);
            if (n <= 0) {
                break;
            }
            at += static_cast<std::size_t>(n);
        }
        ::close(ends[1]);
    });
    EXPECT_EQ(ZipAddEntry(zip, "stream.zip", ZipOsHandle(ends[0]), 0, ZipKindHandle),
              ZipErrTooLarge);
    char rest[4096];
    while (::read(ends[0], rest, sizeof rest) > 0) {
    }
    writer.join();
    ::close(ends[0]);
    const std::uint32_t afterStream = zip->zip->bytesWritten;
    EXPECT_LE(afterStream, 40100u);

    // Stored data of known size that would carry the archive past its limit.
    EXPECT_EQ(ZipAddEntry(zip, "known.zip", noise.data(), 30000, ZipKindMemory), ZipErrTooLarge);
    EXPECT_EQ(zip->zip->bytesWritten, afterStream) << "refused in advance";

    // Deflated data: found out while it is compressed.
    EXPECT_EQ(ZipAddEntry(zip, "noise.bin", noise.data(), 35000, ZipKindMemory), ZipErrTooLarge);
    EXPECT_LE(zip->zip->bytesWritten, 60000u);
    EXPECT_EQ(ZipAddEntry(zip, "last.zip", "xyz", 3, ZipKindMemory), ZipOk);
    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);

    ziptest::expectReadersAccept(archive);
    const auto entries = ziptest::readWithPython(archive);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].data, "abc");
    EXPECT_EQ(entries[1].data, "xyz");
}
