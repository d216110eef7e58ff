#pragma once
// Open files of the operating system, for the archive writer's targets and sources.
//
// On Linux a handle is a file descriptor. Descriptor 0 is standard input, a real handle; the
// value with all bits set (-1) is the one that stands for "no handle". Every function takes
// `Text` paths (Windows-1250) and converts them for the system; none throws.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/Text.h"

namespace platform {

using FileHandle = int;
inline constexpr FileHandle kNoFileHandle = -1;

// Creates `path` for writing only, or empties the file that is there. The file is locked for as
// long as the handle is open, and a second `createFileExclusive` on it fails instead of mixing
// its bytes in; an existing file is emptied only once the lock is held. A new file is readable
// by its owner only. A symbolic link at `path` is refused, so that a link planted in a shared
// temporary folder cannot redirect the write. kNoFileHandle on failure.
FileHandle createFileExclusive(const Text& path);

// Opens an existing file for reading while others may go on reading and writing it. A folder is
// refused; a named pipe is opened without waiting for a writer. kNoFileHandle on failure.
FileHandle openFileForReading(const Text& path);

// One read of up to `size` bytes (repeated only when a signal interrupts it). The count read;
// 0 at the end of the file and on a failure.
std::size_t readFile(FileHandle handle, void* buffer, std::size_t size);

// Writes all `size` bytes, repeating short and interrupted writes, until done or the system
// refuses. Returns how many bytes were written; less than `size` means a failure.
std::size_t writeFile(FileHandle handle, const void* data, std::size_t size);

// Moves to `position` bytes from the start of the file. False when the handle cannot seek.
bool seekFile(FileHandle handle, std::uint64_t position);

// The current position from the start of the file; nullopt when the handle cannot seek.
std::optional<std::uint64_t> filePosition(FileHandle handle);

// A second handle on the same open file, with the same access and position, that is closed on
// its own. kNoFileHandle on failure (a handle that is not open included).
FileHandle duplicateHandle(FileHandle handle);

// Closes the handle. False when the system reports a failure, which for a written file means
// that data may be lost; the handle is gone in both cases.
bool closeFile(FileHandle handle);

} // namespace platform
