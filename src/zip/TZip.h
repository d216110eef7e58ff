#pragma once
// One archive being written: its target, its finished entries and the source of the entry that
// is being added. Behind every ZipHandle stands one TZip.
//
// Invariant: bytesWritten is the number of archive bytes that really reached the target, so a
// failed or short write never shifts the offsets of later entries or of the directory. A failed
// entry leaves its bytes as unused space; the directory lists only entries that succeeded.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/FileHandle.h"
#include "platform/MemoryArea.h"
#include "zip/Zip.h"
#include "zip/ZipRecords.h"

inline constexpr std::uint32_t kZipBufferSize = 16384;
inline constexpr std::uint32_t kZipUnknownSize = 0xFFFFFFFF;

class TZip {
public:
    TZip() = default;
    ~TZip(); // releases a target or source still open
    TZip(const TZip&) = delete;
    TZip& operator=(const TZip&) = delete;

    // --- The archive target.
    platform::FileHandle outputHandle = platform::kNoFileHandle; // file or duplicated handle
    std::unique_ptr<platform::MemoryArea> mappingHandle;         // memory area that the writer made
    std::uint32_t outputBase = 0;   // where the archive starts in a handle target
    ZipResult outputError = ZipOk;  // never cleared once set
    std::uint32_t bytesWritten = 0; // archive bytes written, relative to outputBase
    bool outputSeekable = false;
    std::uint8_t* memoryArea = nullptr;
    std::uint32_t memoryPos = 0;
    std::uint32_t memorySize = 0;

    // --- The entries.
    bool centralWritten = false;
    std::vector<ZipEntryRecord> entries; // in the order they were added
    std::uint32_t centralSize = 0;       // bytes that the central headers of `entries` take

    // --- The current entry's source.
    std::uint32_t srcAttributes = 0;
    std::int32_t srcAccessTime = 0;
    std::int32_t srcModifyTime = 0;
    std::int32_t srcCreateTime = 0;
    std::uint32_t srcDosTime = 0;
    std::uint32_t srcAnnouncedSize = 0; // kZipUnknownSize when not known
    std::uint32_t srcBytesRead = 0;
    std::uint32_t srcCrc = 0;
    platform::FileHandle srcHandle = platform::kNoFileHandle;
    bool srcOwnsHandle = false;
    const std::uint8_t* srcMemory = nullptr;
    std::uint32_t srcMemorySize = 0;
    std::uint32_t srcMemoryPos = 0;
    std::uint32_t entryCompressedSize = 0; // data bytes of the current entry in the archive
    ZipResult entryError = ZipOk;          // why the current entry's data was cut short
    std::uint32_t entryDataLimit = 0;      // data bytes the current entry may still take
    std::array<std::uint8_t, kZipBufferSize> ioBuffer{};

    // --- The format's limits. Tests lower them to reach them with small data.
    std::uint64_t archiveLimit = 0xFFFFFFFF; // offsets and sizes are 32-bit
    std::uint32_t entryLimit = 0xFFFFFFFE;   // an entry's bytes; all bits set means "unknown"
    std::size_t entryCountLimit = 0xFFFF;    // counts are 16-bit

    // --- Target and sources (ArchiveIo.cpp).

    // Opens the target by kind; ZipErrState when one is open already.
    ZipResult OpenOutput(const void* target, std::uint32_t size, ZipKind kind);
    // Writes up to n bytes at the current position; the count written. A memory target never
    // takes its last byte: a write that would reach it records ZipErrBufferFull.
    std::uint32_t WriteOutput(const std::uint8_t* bytes, std::uint32_t n);
    // Moves to `pos` bytes after outputBase; false (and outputError) when it can't.
    bool SeekOutput(std::uint32_t pos);

    // The source openers reset every source field, then take attributes, size and times.
    ZipResult OpenSourceFile(const char* name);
    ZipResult OpenSourceHandle(platform::FileHandle handle, std::uint32_t size);
    ZipResult OpenSourceMemory(const void* memory, std::uint32_t size);
    ZipResult OpenSourceFolder();
    // Attributes, size and times of a disk file.
    ZipResult QueryFileInfo(platform::FileHandle handle);
    // Up to n bytes of the source, folded into srcCrc and srcBytesRead; 0 at the end, on a
    // read error, and once the entry has failed.
    std::uint32_t ReadSource(std::uint8_t* buffer, std::uint32_t n);
    // Closes an owned handle; ZipErrSizeMismatch when the bytes read differ from the announced
    // size. Afterwards srcAnnouncedSize is the count read.
    ZipResult CloseSource();

    // --- The container (TZip.cpp).

    ZipResult AddEntry(const char* name, const void* source, std::uint32_t size, ZipKind kind);
    // Writes the directory (once) and releases the target.
    ZipResult Finish();
    // Writes data of the current entry within its limit; the count written. A refused or short
    // write sets entryError, after which the entry takes no more bytes.
    std::uint32_t WriteEntryData(const std::uint8_t* bytes, std::uint32_t n);
    // Compresses the current source into the archive (DeflateEntry.cpp).
    ZipResult DeflateEntry(ZipEntryRecord& record);

private:
    void ResetSource();
    void TakeCurrentTime();
    // Writes bytes and counts what reached the target in bytesWritten.
    std::uint32_t ZipWriteBytes(const std::uint8_t* bytes, std::size_t n);
    bool WriteRecord(const RecordBytes& bytes, std::size_t length);
    ZipResult StoreEntry();
    ZipResult FinishEntry(ZipEntryRecord& record);
    ZipResult WriteCentralDirectory();
};

// True when the name ends in a suffix of a compressed format (".zip", ".gz", ...; any case),
// whose entries are stored instead of deflated.
bool IsArchiveSuffix(const std::string& name);
