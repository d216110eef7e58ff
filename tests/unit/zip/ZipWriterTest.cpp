// The writer through its interface, judged by real readers.

#include <random>
#include <string>
#include <sys/stat.h>
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

std::string le16(std::uint32_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>((v >> 8) & 0xFF)};
}
std::string le32(std::uint32_t v) {
    return le16(v & 0xFFFF) + le16(v >> 16);
}

std::string randomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) {
        c = static_cast<char>(random());
    }
    return bytes;
}

std::string textLines(std::size_t size) {
    std::string text;
    for (int line = 0; text.size() < size; ++line) {
        text += "Řádek " + std::to_string(line) + ": data k odeslání na FTP server\r\n";
    }
    return text.substr(0, size);
}

// Local header of a.txt or a.zip holding "abc", created 1718446496 (12:14:56 CEST), read at
// 1700000000; its creation time (bytes 48..51) can't be set and is compared apart.
std::string expectedLocalHeader(const std::string& name, std::uint16_t flags, std::uint16_t method,
                                std::uint32_t compressedSize) {
    return "PK\x03\x04" + le16(20) + le16(flags) + le16(method) + le16(0x61DC) + le16(0x58CF) +
           le32(0x352441C2) + le32(compressedSize) + le32(3) + le16(5) + le16(17) + name + "UT" +
           le16(13) + "\x07" + le32(1718446496) + le32(1700000000) + "????";
}

std::string expectedCentralHeader(const std::string& name, std::uint16_t flags,
                                  std::uint16_t method, std::uint32_t compressedSize) {
    return "PK\x01\x02" + le16(0x0B17) + le16(20) + le16(flags) + le16(method) + le16(0x61DC) +
           le16(0x58CF) + le32(0x352441C2) + le32(compressedSize) + le32(3) + le16(5) + le16(9) +
           le16(0) + le16(0) + le16(0) + le32(0x81800020) + le32(0) + name + "UT" + le16(5) +
           "\x07" + le32(1718446496);
}

} // namespace

TEST_F(ZipFixture, OneSmallFileGivesTheArchiveByteForByte) {
    struct Case {
        std::string name;
        std::uint16_t flags;
        std::uint16_t method;
        std::string data;
    };
    for (const Case& c : {Case{"a.txt", 2, 8, std::string("\x4B\x4C\x4A\x06\x00", 5)},
                          Case{"a.zip", 0, 0, "abc"}}) {
        const std::string source = makeFile("abc", "abc"); // reading it moves its access time
        const std::string archive = folder.file("out-" + c.name);
        ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
        ASSERT_NE(zip, nullptr);
        ASSERT_EQ(ZipAddEntry(zip, c.name.c_str(), source.c_str(), 0, ZipKindFileName), ZipOk);
        ASSERT_EQ(ZipCloseArchive(zip), ZipOk);

        const auto size = static_cast<std::uint32_t>(c.data.size());
        const std::string local = expectedLocalHeader(c.name, c.flags, c.method, size);
        const std::string central = expectedCentralHeader(c.name, c.flags, c.method, size);
        const auto directoryOffset = static_cast<std::uint32_t>(local.size() + size);
        std::string expected =
            local + c.data + central + "PK\x05\x06" + le16(0) + le16(0) + le16(1) + le16(1) +
            le32(static_cast<std::uint32_t>(central.size())) + le32(directoryOffset) + le16(0);
        std::string actual = testsupport::readBytes(archive);
        ASSERT_EQ(actual.size(), c.method == 8 ? 139u : 137u);
        EXPECT_EQ(directoryOffset, c.method == 8 ? 57u : 55u);
        actual.replace(48, 4, "????");
        EXPECT_EQ(actual, expected) << c.name;
        ziptest::expectReadersAccept(archive);
    }
}

TEST_F(ZipFixture, ReadersGetBackEveryKindOfEntry) {
    const std::string text = textLines(50000);
    const std::string binary = randomBytes(100000, 7); // incompressible, over 64 KiB
    const std::string large = textLines(700000);       // several deflate blocks and flushes
    const std::string memory = "z paměti";
    struct Case {
        std::string name;   // as passed
        std::string source; // file name, or the memory bytes
        ZipKind kind;
        std::string storedName; // as the readers see it
        std::string data;
        int method;
        int flags;
        std::uint32_t attributes;
    };
    const std::vector<Case> cases = {
        {"text.txt", makeFile("text.txt", text), ZipKindFileName, "text.txt", text, 8, 2,
         0x81800020},
        {"binary.bin", makeFile("binary.bin", binary), ZipKindFileName, "binary.bin", binary, 8, 2,
         0x81800020},
        {"empty.dat", makeFile("empty.dat", ""), ZipKindFileName, "empty.dat", "", 8, 2,
         0x81800020},
        {"large.txt", makeFile("large.txt", large), ZipKindFileName, "large.txt", large, 8, 2,
         0x81800020},
        {"packed.ZIP", makeFile("packed", binary), ZipKindFileName, "packed.ZIP", binary, 0, 0,
         0x81800020},
        {"sub\\dir\\text.txt", folder.file("text.txt"), ZipKindFileName, "sub/dir/text.txt", text,
         8, 2, 0x81800020},
        {"text.txt", folder.file("binary.bin"), ZipKindFileName, "text.txt", binary, 8, 2,
         0x81800020}, // the same name twice: both listed
        {"sub\\folder", "", ZipKindFolder, "sub/folder/", "", 0, 0, 0x41C00010},
        {"done/", "", ZipKindFolder, "done/", "", 0, 0, 0x41C00010},
        {"memory.txt", memory, ZipKindMemory, "memory.txt", memory, 8, 2, 0x80000000},
    };
    const std::string archive = folder.file("all.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    for (const Case& c : cases) {
        const void* source = c.kind == ZipKindMemory ? static_cast<const void*>(c.source.data())
                                                     : static_cast<const void*>(c.source.c_str());
        EXPECT_EQ(ZipAddEntry(zip, c.name.c_str(), source,
                              static_cast<std::uint32_t>(c.source.size()), c.kind),
                  ZipOk)
            << c.name;
    }
    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);

    ziptest::expectReadersAccept(archive);
    const auto entries = ziptest::readWithPython(archive);
    ASSERT_EQ(entries.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const Case& c = cases[i];
        const ziptest::ReadEntry& e = entries[i];
        EXPECT_EQ(e.name, c.storedName);
        EXPECT_EQ(e.data, c.data) << c.name;
        EXPECT_EQ(e.size, c.data.size()) << c.name;
        EXPECT_EQ(e.method, c.method) << c.name;
        EXPECT_EQ(e.flags, c.flags) << c.name;
        EXPECT_EQ(e.externalAttributes, c.attributes) << c.name;
        EXPECT_EQ(e.madeBy, 0x0B17) << c.name;
        EXPECT_EQ(e.versionNeeded, 20) << c.name;
        if (c.method == 0) {
            EXPECT_EQ(e.compressedSize, e.size) << c.name;
        }
    }
    EXPECT_LT(entries[0].compressedSize, text.size() / 4) << "text compresses";
    EXPECT_EQ(entries[2].compressedSize, 2u) << "an empty file is the end-of-block code alone";
}

TEST(ZipNames, TheMethodFollowsTheNameAlone) {
    struct Case {
        const char* name;
        bool stored;
    };
    for (const Case& c :
         {Case{"x.ZIP", true}, Case{"a.tar.gz", true}, Case{".zip", true}, Case{"a.Z", true},
          Case{"a.z", true}, Case{"b.zoo", true}, Case{"c.ARC", true}, Case{"d.lzh", true},
          Case{"e.arj", true}, Case{"f.tgz", true}, Case{"file.", false}, Case{"zip", false},
          Case{"data.zipx", false}, Case{"zip.txt", false}, Case{"a.gz.", false},
          Case{"dir.zip/file", false}}) {
        EXPECT_EQ(IsArchiveSuffix(c.name), c.stored) << c.name;
    }
}

TEST_F(ZipFixture, AnArchiveWithoutEntriesIsTheEndRecordAlone) {
    const std::string archive = folder.file("empty.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);
    EXPECT_EQ(testsupport::readBytes(archive), "PK\x05\x06" + std::string(18, '\0'));
    EXPECT_TRUE(ziptest::readWithPython(archive).empty());
}

TEST_F(ZipFixture, ForeignAndMissingHandlesAreRefusedAndWriteNothing) {
    const std::string source = makeFile("a.txt", "abc");
    const std::string archive = folder.file("a.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    ZipHandle foreign{1, zip->zip};

    EXPECT_EQ(ZipAddEntry(nullptr, "a.txt", source.c_str(), 0, ZipKindFileName), ZipErrArgs);
    EXPECT_EQ(ZipAddEntry(&foreign, "a.txt", source.c_str(), 0, ZipKindFileName),
              ZipErrWrongHandle);
    EXPECT_EQ(ZipCloseArchive(nullptr), ZipErrArgs);
    EXPECT_EQ(ZipCloseArchive(&foreign), ZipErrWrongHandle);
    EXPECT_EQ(testsupport::readBytes(archive), "");

    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);
    EXPECT_EQ(testsupport::readBytes(archive).size(), 22u);
}

TEST_F(ZipFixture, TargetsThatCannotBeOpenedGiveNoHandle) {
    const std::string folderPath = folder.path();
    const std::string missingFolder = folder.file("missing/a.zip");
    std::uint8_t area[64];
    EXPECT_EQ(ZipCreateArchive(missingFolder.c_str(), 0, ZipKindFileName), nullptr);
    EXPECT_EQ(ZipCreateArchive(folderPath.c_str(), 0, ZipKindFileName), nullptr);
    EXPECT_EQ(ZipCreateArchive(nullptr, 0, ZipKindFileName), nullptr);
    EXPECT_EQ(ZipCreateArchive(area, 0, ZipKindMemory), nullptr);
    EXPECT_EQ(ZipCreateArchive(ZipOsHandle(-1), 0, ZipKindHandle), nullptr);
    EXPECT_EQ(ZipCreateArchive(folderPath.c_str(), 0, ZipKindFolder), nullptr);
    EXPECT_EQ(ZipCreateArchive(folderPath.c_str(), 0, 9), nullptr);

    // A second writer on the same file is refused instead of mixing its bytes in.
    const std::string archive = folder.file("once.zip");
    ZipHandle* first = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(ZipCreateArchive(archive.c_str(), 0, ZipKindFileName), nullptr);
    EXPECT_EQ(ZipCloseArchive(first), ZipOk);
}

TEST_F(ZipFixture, ABadSourceFailsAloneAndTheArchiveKeepsTheOthers) {
    const std::string good = makeFile("good.txt", "good data");
    const std::string archive = folder.file("a.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    ASSERT_EQ(ZipAddEntry(zip, "first.txt", good.c_str(), 0, ZipKindFileName), ZipOk);
    const off_t before = static_cast<off_t>(zip->zip->bytesWritten);

    struct Case {
        const char* name;
        const void* source;
        std::uint32_t size;
        ZipKind kind;
        ZipResult result;
    };
    const std::string missing = folder.file("missing.txt");
    const std::string folderPath = folder.path();
    for (const Case& c : {
             Case{"missing.txt", missing.c_str(), 0, ZipKindFileName, ZipErrOpenFile},
             Case{"folder.txt", folderPath.c_str(), 0, ZipKindFileName, ZipErrOpenFile},
             Case{"null.txt", nullptr, 0, ZipKindFileName, ZipErrArgs},
             Case{"", good.c_str(), 0, ZipKindFileName, ZipErrArgs},
             Case{nullptr, good.c_str(), 0, ZipKindFileName, ZipErrArgs},
             Case{"kind.txt", good.c_str(), 0, 7, ZipErrArgs},
             Case{"memory.txt", nullptr, 5, ZipKindMemory, ZipErrArgs},
             Case{"memory.txt", "abc", 0, ZipKindMemory, ZipErrArgs},
             Case{"handle.txt", ZipOsHandle(0), 0, ZipKindHandle, ZipErrArgs},
             Case{"handle.txt", ZipOsHandle(-1), 0, ZipKindHandle, ZipErrArgs},
             Case{"handle.txt", ZipOsHandle(999), 0, ZipKindHandle, ZipErrArgs}, // not open
         }) {
        EXPECT_EQ(ZipAddEntry(zip, c.name, c.source, c.size, c.kind), c.result)
            << (c.name ? c.name : "(null)");
    }
    EXPECT_EQ(static_cast<off_t>(zip->zip->bytesWritten), before) << "nothing was written";
    ASSERT_EQ(ZipAddEntry(zip, "last.txt", good.c_str(), 0, ZipKindFileName), ZipOk);
    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);

    ziptest::expectReadersAccept(archive);
    const auto entries = ziptest::readWithPython(archive);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "first.txt");
    EXPECT_EQ(entries[1].name, "last.txt");
}

TEST_F(ZipFixture, ASourceThatYieldsOtherThanAnnouncedIsRecordedAsRead) {
    struct Case {
        const char* name;
        std::string bytes;
        std::uint32_t announced;
    };
    const std::string archive = folder.file("a.zip");
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    ASSERT_NE(zip, nullptr);
    const std::vector<Case> cases = {{"fewer.txt", "12345", 10},
                                     {"more.txt", "123456789", 3},
                                     {"fewer.zip", "12345", 10},
                                     {"more.zip", "123456789", 3},
                                     {"unknown.zip", "0123456789", 0}};
    for (const Case& c : cases) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        ASSERT_EQ(::write(ends[1], c.bytes.data(), c.bytes.size()),
                  static_cast<ssize_t>(c.bytes.size()));
        ::close(ends[1]);
        EXPECT_EQ(ZipAddEntry(zip, c.name, ZipOsHandle(ends[0]), c.announced, ZipKindHandle), ZipOk)
            << c.name;
        ::close(ends[0]);
    }
    ASSERT_EQ(ZipCloseArchive(zip), ZipOk);

    ziptest::expectReadersAccept(archive);
    const auto entries = ziptest::readWithPython(archive);
    ASSERT_EQ(entries.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(entries[i].data, cases[i].bytes) << cases[i].name;
        EXPECT_EQ(entries[i].externalAttributes, 0x80000000u) << cases[i].name;
    }
}
