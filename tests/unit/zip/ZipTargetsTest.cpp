// Archive targets other than a new file: memory areas, streams, handles with a start offset.

#include <fcntl.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "support/FileBytes.h"
#include "unit/zip/ArchiveReaders.h"
#include "unit/zip/ZipFixture.h"
#include "zip/TZip.h"
#include "zip/Zip.h"

using ziptest::ZipFixture;

namespace {

// Adds "packed.zip" (stored) and "text.txt" (deflated) from memory, and closes.
std::vector<ZipResult> writeTwoEntries(ZipHandle* zip, const std::string& data) {
    std::vector<ZipResult> results;
    for (const char* name : {"packed.zip", "text.txt"}) {
        results.push_back(ZipAddEntry(zip, name, data.data(),
                                      static_cast<std::uint32_t>(data.size()), ZipKindMemory));
    }
    results.push_back(ZipCloseArchive(zip));
    return results;
}

const std::vector<ZipResult> kAllOk = {ZipOk, ZipOk, ZipOk};

} // namespace

TEST_F(ZipFixture, AMemoryTargetTakesOneByteLessThanItsSize) {
    const std::string data = "Data, která se vejdou do paměti.";
    const std::string file = folder.file("file.zip");
    ASSERT_EQ(writeTwoEntries(ZipCreateArchive(file.c_str(), 0, ZipKindFileName), data), kAllOk);
    const std::string expected = testsupport::readBytes(file);

    // n + 1 bytes hold an archive of n bytes; its bytes are those of the file target but for
    // the time stamps, which are taken anew for a memory source.
    std::vector<std::uint8_t> area(expected.size() + 1, 0xEE);
    ZipHandle* zip =
        ZipCreateArchive(area.data(), static_cast<std::uint32_t>(area.size()), ZipKindMemory);
    ASSERT_NE(zip, nullptr);
    ASSERT_EQ(writeTwoEntries(zip, data), kAllOk);
    EXPECT_EQ(area.back(), 0xEE) << "the last byte is never used";
    const std::string inMemory = folder.file("memory.zip");
    testsupport::writeBytes(inMemory, std::string(area.begin(), area.end() - 1));
    ziptest::expectReadersAccept(inMemory);
    EXPECT_EQ(ziptest::readWithPython(inMemory).size(), 2u);

    // n bytes: everything but the end record's last byte would fit.
    std::vector<std::uint8_t> exact(expected.size());
    zip = ZipCreateArchive(exact.data(), static_cast<std::uint32_t>(exact.size()), ZipKindMemory);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(writeTwoEntries(zip, data), (std::vector<ZipResult>{ZipOk, ZipOk, ZipErrWrite}));

    // Data that does not fit: the entry fails, later ones are refused, the first one stays.
    std::vector<std::uint8_t> small(200);
    zip = ZipCreateArchive(small.data(), static_cast<std::uint32_t>(small.size()), ZipKindMemory);
    ASSERT_NE(zip, nullptr);
    const std::string big(500, 'x');
    EXPECT_EQ(ZipAddEntry(zip, "small.zip", "abc", 3, ZipKindMemory), ZipOk);
    EXPECT_EQ(ZipAddEntry(zip, "big.zip", big.data(), 500, ZipKindMemory), ZipErrBufferFull);
    EXPECT_EQ(ZipAddEntry(zip, "later.zip", "abc", 3, ZipKindMemory), ZipErrEarlier);
    EXPECT_EQ(ZipCloseArchive(zip), ZipOk);
    const std::string partial = folder.file("partial.zip");
    testsupport::writeBytes(partial, std::string(small.begin(), small.end()));
    const auto entries = ziptest::readWithPython(partial);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].data, "abc");
}

TEST_F(ZipFixture, TheWriterCanMakeItsOwnMemoryArea) {
    EXPECT_EQ(ZipCreateArchive(nullptr, 0, ZipKindMemory), nullptr);
    ZipHandle* zip = ZipCreateArchive(nullptr, 100000, ZipKindMemory);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(writeTwoEntries(zip, "data"), kAllOk);
}

TEST_F(ZipFixture, AStreamTargetGetsDataDescriptors) {
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::string streamed;
    std::thread reader([&] {
        char chunk[4096];
        ssize_t n = 0;
        while ((n = ::read(ends[0], chunk, sizeof chunk)) > 0) {
            streamed.append(chunk, static_cast<std::size_t>(n));
        }
    });
    const std::string text(30000, 'a');
    const std::string source = makeFile("text.txt", text);
    ZipHandle* zip = ZipCreateArchive(ZipOsHandle(ends[1]), 0, ZipKindHandle);
    ::close(ends[1]); // the writer holds its own duplicate
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipAddEntry(zip, "text.txt", source.c_str(), 0, ZipKindFileName), ZipOk);
    EXPECT_EQ(ZipAddEntry(zip, "known.zip", source.c_str(), 0, ZipKindFileName), ZipOk);
    // A stored entry whose size was not known when its header went out can't be read back.
    int unknown[2];
    ASSERT_EQ(::pipe(unknown), 0);
    ASSERT_EQ(::write(unknown[1], "12345", 5), 5);
    ::close(unknown[1]);
    EXPECT_EQ(ZipAddEntry(zip, "unknown.zip", ZipOsHandle(unknown[0]), 0, ZipKindHandle),
              ZipErrCannotPatch);
    ::close(unknown[0]);
    // Deflated data ends by itself, so its size may be unknown.
    ASSERT_EQ(::pipe(unknown), 0);
    ASSERT_EQ(::write(unknown[1], "12345", 5), 5);
    ::close(unknown[1]);
    EXPECT_EQ(ZipAddEntry(zip, "unknown.txt", ZipOsHandle(unknown[0]), 0, ZipKindHandle), ZipOk);
    ::close(unknown[0]);
    EXPECT_EQ(ZipAddEntry(zip, "folder", nullptr, 0, ZipKindFolder), ZipOk);
    EXPECT_EQ(ZipCloseArchive(zip), ZipOk);
    reader.join();
    ::close(ends[0]);

    const std::string archive = folder.file("streamed.zip");
    testsupport::writeBytes(archive, streamed);
    ziptest::expectReadersAccept(archive);
    const auto entries = ziptest::readWithPython(archive);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].flags, 0x000A);
    EXPECT_EQ(entries[1].flags, 0x0008);
    EXPECT_EQ(entries[2].flags, 0x000A);
    EXPECT_EQ(entries[3].flags, 0x0008);
    EXPECT_EQ(entries[0].data, text);
    EXPECT_EQ(entries[1].data, text);
    EXPECT_EQ(entries[2].data, "12345");
    for (const auto& entry : entries) {
        const std::size_t header = entry.headerOffset;
        EXPECT_EQ(streamed.substr(header + 6, 2), std::string("\x08\x00", 2)) << entry.name;
        const std::size_t descriptor = header + 30 + entry.name.size() + 17 + entry.compressedSize;
        EXPECT_EQ(streamed.substr(descriptor, 4), "PK\x07\x08") << entry.name;
    }
}

TEST_F(ZipFixture, AHandleTargetKeepsWhatPrecedesTheArchive) {
    const std::string path = folder.file("prefixed.zip");
    const int handle = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(handle, 0);
    const std::string prefix = "a program that unpacks itself\n";
    ASSERT_EQ(::write(handle, prefix.data(), prefix.size()), static_cast<ssize_t>(prefix.size()));
    ZipHandle* zip = ZipCreateArchive(ZipOsHandle(handle), 0, ZipKindHandle);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(zip->zip->outputBase, prefix.size());

    // A disk file given as a handle is read from its start, wherever its position stands.
    const std::string source = makeFile("source.txt", "from the start");
    const int sourceHandle = ::open(source.c_str(), O_RDONLY);
    ASSERT_EQ(::lseek(sourceHandle, 5, SEEK_SET), 5);
    EXPECT_EQ(ZipAddEntry(zip, "source.zip", ZipOsHandle(sourceHandle), 0, ZipKindHandle), ZipOk);
    ::close(sourceHandle);
    EXPECT_EQ(ZipCloseArchive(zip), ZipOk);
    ::close(handle);

    const std::string bytes = testsupport::readBytes(path);
    EXPECT_EQ(bytes.substr(0, prefix.size()), prefix);
    ziptest::expectReadersAccept(path);
    const auto entries = ziptest::readWithPython(path);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].data, "from the start");
    EXPECT_EQ(entries[0].externalAttributes, 0x81800020u);
}

TEST_F(ZipFixture, AFailingTargetReportsTheWrite) {
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    ZipHandle* zip = ZipCreateArchive(ZipOsHandle(full), 0, ZipKindHandle);
    ::close(full);
    ASSERT_NE(zip, nullptr);
    EXPECT_EQ(ZipAddEntry(zip, "a.zip", "abc", 3, ZipKindMemory), ZipErrWrite);
    EXPECT_EQ(ZipCloseArchive(zip), ZipErrWrite);
}
