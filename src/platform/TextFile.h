#pragma once
// Text-mode file streams with the line-end behaviour of the Windows C run-time, which the log
// file and the size measurement rely on: writing turns each line feed into CR LF, reading turns
// each CR LF into one line feed, and seek and tell count bytes of the file, not characters read.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

#include "platform/Text.h"

namespace platform {

class TextFile {
public:
    enum class Mode {
        Read,     // "r": an existing file, from its start
        Truncate, // "w": created or emptied
        Append,   // "a": created or appended to; every write goes to the end
    };
    enum class Origin { Begin, Current, End };

    // Opens `path`; null when the file cannot be opened in that mode.
    static std::unique_ptr<TextFile> open(const Text& path, Mode mode);

    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // Writes `text` with every line feed as CR LF. False when not all of it could be written.
    bool write(std::string_view text);

    // Reads until `size` bytes have been delivered or the file ends, each CR LF delivered as one
    // line feed; returns the number of bytes delivered (0 at the end or on an error).
    std::size_t read(char* buffer, std::size_t size);

    // Moves to `offset` bytes from the origin; false on failure.
    bool seek(std::int64_t offset, Origin origin);

    // The position in bytes from the start of the file; -1 on failure.
    std::int64_t tell();

    // Closes the file, flushing what is buffered; false when that fails. Later calls do nothing.
    bool close();

private:
    explicit TextFile(std::FILE* file) : file_(file) {}
    std::FILE* file_;
};

} // namespace platform
