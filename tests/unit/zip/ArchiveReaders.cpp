#include "unit/zip/ArchiveReaders.h"

#include <array>
#include <cstdio>
#include <sstream>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace ziptest {
namespace {

// Prints one line per entry: its fields, tab-separated, and the hex of its extra field; writes
// each entry's data to OUT/<index>.
constexpr const char* kListScript = R"(
import sys, zipfile
archive, out = sys.argv[1], sys.argv[2]
with zipfile.ZipFile(archive) as zf:
    for index, info in enumerate(zf.infolist()):
        if out:
            with open('%s/%d' % (out, index), 'wb') as f:
                f.write(zf.read(info))
        fields = [info.filename.encode('cp437', 'surrogateescape').hex(), info.compress_type,
                  info.flag_bits, info.CRC, info.compress_size, info.file_size,
                  info.external_attr, info.create_system * 256 + info.create_version,
                  info.extract_version, '%04d-%02d-%02d %02d:%02d:%02d' % info.date_time,
                  info.extra.hex(), info.header_offset]
        print('\t'.join(str(x) for x in fields))
)";

std::string fromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

} // namespace

std::string quoted(const std::string& argument) {
    std::string result = "'";
    for (const char c : argument) {
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return result + "'";
}

CommandResult runCommand(const std::string& commandLine) {
    CommandResult result;
    FILE* pipe = ::popen((commandLine + " 2>&1").c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> chunk;
    std::size_t n = 0;
    while ((n = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) {
        result.output.append(chunk.data(), n);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::vector<ReadEntry> readWithPython(const std::string& archive, bool withData) {
    testsupport::TempFolder out;
    const CommandResult listed =
        runCommand("/usr/bin/python3 -c " + quoted(kListScript) + " " + quoted(archive) + " " +
                   quoted(withData ? out.path() : ""));
    std::vector<ReadEntry> entries;
    if (listed.status != 0) {
        ADD_FAILURE() << "Python's zipfile refuses " << archive << ":\n" << listed.output;
        return entries;
    }
    std::istringstream lines(listed.output);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::vector<std::string> f;
        std::string field;
        while (std::getline(fields, field, '\t')) {
            f.push_back(field);
        }
        f.resize(12);
        ReadEntry entry;
        entry.name = fromHex(f[0]);
        entry.method = std::stoi(f[1]);
        entry.flags = std::stoi(f[2]);
        entry.crc = static_cast<std::uint32_t>(std::stoul(f[3]));
        entry.compressedSize = static_cast<std::uint32_t>(std::stoul(f[4]));
        entry.size = static_cast<std::uint32_t>(std::stoul(f[5]));
        entry.externalAttributes = static_cast<std::uint32_t>(std::stoul(f[6]));
        entry.madeBy = std::stoi(f[7]);
        entry.versionNeeded = std::stoi(f[8]);
        entry.dateTime = f[9];
        entry.extra = fromHex(f[10]);
        entry.headerOffset = static_cast<std::uint32_t>(std::stoul(f[11]));
        if (withData) {
            entry.data = testsupport::readBytes(out.file(std::to_string(entries.size())));
        }
        entries.push_back(entry);
    }
    return entries;
}

void expectReadersAccept(const std::string& archive) {
    const CommandResult unzip = runCommand("unzip -t " + quoted(archive));
    EXPECT_EQ(unzip.status, 0) << "unzip -t:\n" << unzip.output;
    const CommandResult sevenZip = runCommand("7zz t " + quoted(archive));
    EXPECT_EQ(sevenZip.status, 0) << "7zz t:\n" << sevenZip.output;
    // An archive behind other data (a handle target's prefix) is announced, not a fault.
    const bool behindPrefix = sevenZip.output.find("open with offset") != std::string::npos;
    EXPECT_TRUE(behindPrefix || sevenZip.output.find("WARNING") == std::string::npos)
        << "7zz t:\n"
        << sevenZip.output;
    const CommandResult python =
        runCommand("/usr/bin/python3 -c 'import sys, zipfile; "
                   "sys.exit(zipfile.ZipFile(sys.argv[1]).testzip() is not None)' " +
                   quoted(archive));
    EXPECT_EQ(python.status, 0) << "Python testzip:\n" << python.output;
}

std::string unzipModificationTime(const std::string& archive, const std::string& entry) {
    const CommandResult details =
        runCommand("unzip -Z -v " + quoted(archive) + " " + quoted(entry));
    const std::string marker = "(UT extra field modtime):";
    const std::size_t at = details.output.find(marker);
    if (at == std::string::npos) {
        return "";
    }
    std::size_t begin = details.output.find_first_not_of(' ', at + marker.size());
    const std::size_t end = details.output.find('\n', begin);
    return details.output.substr(begin, end - begin);
}

} // namespace ziptest
