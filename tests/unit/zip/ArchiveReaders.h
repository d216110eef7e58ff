#pragma once
// The archive readers that judge what the writer makes: unzip, 7-Zip and Python's zipfile
// module, run as separate programs. Nobody here wrote them, so they catch what our own reading
// of the format would miss.

#include <cstdint>
#include <string>
#include <vector>

namespace ziptest {

struct CommandResult {
    int status = -1;    // the exit code, -1 when the command could not run
    std::string output; // standard output and standard error together
};

// Runs a shell command line (arguments must be quoted by the caller, see `quoted`).
CommandResult runCommand(const std::string& commandLine);
std::string quoted(const std::string& argument);

// One entry as Python's zipfile reads it from the central directory, with its data read back
// (which checks the CRC-32 against the data).
struct ReadEntry {
    std::string name;
    int method = -1;
    int flags = -1;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;
    std::uint32_t externalAttributes = 0;
    int madeBy = 0; // create_system * 256 + create_version
    int versionNeeded = 0;
    std::string dateTime; // "YYYY-MM-DD hh:mm:ss" from the DOS fields
    std::string extra;    // the central extra field, raw bytes
    std::uint32_t headerOffset = 0;
    std::string data;
};

// Reads every entry (its data too unless `withData` is false); fails the current test (and
// returns what it has) when Python refuses.
std::vector<ReadEntry> readWithPython(const std::string& archive, bool withData = true);

// unzip -t, 7zz t and Python's testzip all accept the archive; otherwise the current test fails
// with the readers' words.
void expectReadersAccept(const std::string& archive);

// The "UT" modification time that unzip -Z -v shows for `entry`, as unzip prints it
// ("2024 Jun 15 14:14:56 local"), or "" when it shows none.
std::string unzipModificationTime(const std::string& archive, const std::string& entry);

} // namespace ziptest
