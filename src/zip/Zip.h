#pragma once
// The ZIP writer's interface: three free functions over an opaque handle.
//
// ZipCreateArchive opens a target, ZipAddEntry appends one entry (stored when its name already
// names an archive, else compressed with Deflate), ZipCloseArchive writes the central directory
// and releases everything. Results are ZipResult codes, never exceptions. Strings are
// NUL-terminated 8-bit strings in the system code page (Windows-1250); entry names are stored
// byte for byte, with every backslash turned into a slash.

#include <cstdint>

class TZip;

// What a target or source argument is.
using ZipKind = std::int32_t;
inline constexpr ZipKind ZipKindHandle = 1;   // an open handle (see ZipOsHandle)
inline constexpr ZipKind ZipKindFileName = 2; // a file name
inline constexpr ZipKind ZipKindMemory = 3;   // a memory area of the given size
inline constexpr ZipKind ZipKindFolder = 4;   // a folder entry without data (sources only)

// 0 is success; every other value names one failure.
using ZipResult = std::uint32_t;
inline constexpr ZipResult ZipOk = 0;
inline constexpr ZipResult ZipErrDupHandle =
    0x100; // the caller's output handle can't be duplicated
inline constexpr ZipResult ZipErrOpenFile =
    0x200; // archive not created, source not opened or queried
inline constexpr ZipResult ZipErrNoMemory = 0x300; // the writer's own memory area can't be made
inline constexpr ZipResult ZipErrWrite =
    0x400; // a header, the data or the directory not written whole
inline constexpr ZipResult ZipErrArgs = 0x10000; // null handle, bad name, kind or source
inline constexpr ZipResult ZipErrBufferFull =
    0x30000; // a memory target is full (its last byte stays unused)
inline constexpr ZipResult ZipErrEarlier = 0x40000; // an output error was recorded before
inline constexpr ZipResult ZipErrEnded = 0x50000;   // the archive is already closed
inline constexpr ZipResult ZipErrSizeMismatch =
    0x60000; // bytes read differ from the announced size
inline constexpr ZipResult ZipErrTooLarge =
    0x70000; // past 65535 entries or 4 GiB (no ZIP64 records)
inline constexpr ZipResult ZipErrWrongHandle = 0x80000; // the handle is not one of ZipCreateArchive
inline constexpr ZipResult ZipErrState = 0x1000000;     // no stream open, or not a disk file
inline constexpr ZipResult ZipErrNotSeekable = 0x2000000; // the seek back to patch a header failed
inline constexpr ZipResult ZipErrCannotPatch =
    0x4000000; // a stored entry's size was wrong on a stream
inline constexpr ZipResult ZipErrCompressor = 0x5000000; // the compressor failed an internal check

// The tag of a handle that ZipCreateArchive returned.
inline constexpr std::uint32_t ZipHandleTagCreating = 2;

struct ZipHandle {
    std::uint32_t tag;
    TZip* zip;
};

// An open file descriptor as the target or source argument of kind ZipKindHandle.
inline const void* ZipOsHandle(int descriptor) {
    return reinterpret_cast<const void*>(static_cast<std::intptr_t>(descriptor));
}

// Opens the archive target. `target` by `kind`: ZipKindFileName, a file name (the file is created
// or emptied, and locked until the archive is closed; a symbolic link is refused); ZipKindHandle,
// an open descriptor (the writer works on its own duplicate, from its current position on; a pipe
// gets data descriptors); ZipKindMemory, an area of `size` bytes, or null for one that the writer
// makes itself and releases on closing. `size` is ignored for the other kinds. Null on any failure.
ZipHandle* ZipCreateArchive(const void* target, std::uint32_t size, ZipKind kind);

// Adds one entry named `name`, read from `source` by `kind`: ZipKindFileName, a file name;
// ZipKindHandle, an open descriptor, read from its start when it is a disk file, with `size`
// its expected size otherwise (0 = unknown); ZipKindMemory, `size` bytes at `source`;
// ZipKindFolder, no data (`source` ignored; the name gets a trailing slash). A failed entry is
// left out of the directory and the archive stays readable. After an output error every further
// call gives ZipErrEarlier, after closing ZipErrEnded; a null handle gives ZipErrArgs, a foreign
// one ZipErrWrongHandle.
ZipResult ZipAddEntry(ZipHandle* handle, const char* name, const void* source, std::uint32_t size,
                      ZipKind kind);

// Writes the central directory and the end record, releases the target and frees the handle
// (also when the result is an error). A null or foreign handle is left alone.
ZipResult ZipCloseArchive(ZipHandle* handle);
