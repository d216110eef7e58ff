#pragma once
// The records of a ZIP archive as this writer lays them out, and their bytes.
//
// Per entry: a local header (with the 17-byte "UT" time field), the data, and only on targets
// that cannot seek a data descriptor; then one central header per entry (with the 9-byte "UT"
// field) and the end record. All integers are little-endian. No comments, no encryption, no
// ZIP64 records: counts are 16-bit, sizes and offsets 32-bit.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

inline constexpr std::size_t kZipMaxNameLength = 259; // the stored name, a folder's slash included
inline constexpr std::size_t kLocalHeaderFixed = 30;
inline constexpr std::size_t kCentralHeaderFixed = 46;
inline constexpr std::size_t kDataDescriptorSize = 16;
inline constexpr std::size_t kEndRecordSize = 22;
inline constexpr std::size_t kLocalExtraSize = 17;
inline constexpr std::size_t kCentralExtraSize = 9;

// General purpose flags.
inline constexpr std::uint16_t kFlagEncrypted = 0x0001;
inline constexpr std::uint16_t kFlagMaximumCompression = 0x0002;
inline constexpr std::uint16_t kFlagDataDescriptor = 0x0008;

inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflated = 8;

struct ZipEntryRecord {
    std::uint16_t versionMadeBy = 0x0B17; // host system 11, version 2.3
    std::uint16_t versionNeeded = 20;
    std::uint16_t flags = kFlagDataDescriptor; // of the central header
    std::uint16_t method = kMethodDeflated;
    std::uint32_t dosTime = 0; // DOS date in the high 16 bits, time in the low 16
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
    std::uint16_t diskStart = 0;
    std::uint16_t internalAttributes = 0; // never marked as text
    std::uint16_t localFlags = kFlagDataDescriptor;
    std::uint32_t externalAttributes = 0;
    std::uint32_t localHeaderOffset = 0;
    std::string name; // at most kZipMaxNameLength bytes
    std::array<std::uint8_t, kLocalExtraSize> localExtra{};
    std::array<std::uint8_t, kCentralExtraSize> centralExtra{};
};

// Fills both "UT" fields: the local one with the three times, the central one with the first
// nine bytes of it and its size byte set to 5 (the flag byte still says three times follow).
void SetTimeFields(ZipEntryRecord& record, std::int32_t modifyTime, std::int32_t accessTime,
                   std::int32_t createTime);

inline std::size_t LocalHeaderSize(const ZipEntryRecord& record) {
    return kLocalHeaderFixed + record.name.size() + kLocalExtraSize;
}
inline std::size_t CentralHeaderSize(const ZipEntryRecord& record) {
    return kCentralHeaderFixed + record.name.size() + kCentralExtraSize;
}

// Room for the largest record.
using RecordBytes =
    std::array<std::uint8_t, kCentralHeaderFixed + kZipMaxNameLength + kLocalExtraSize>;

// Each writes the record into `out` and returns its length.
std::size_t LocalHeaderBytes(const ZipEntryRecord& record, RecordBytes& out);
std::size_t DataDescriptorBytes(const ZipEntryRecord& record, RecordBytes& out);
std::size_t CentralHeaderBytes(const ZipEntryRecord& record, RecordBytes& out);
std::size_t EndRecordBytes(std::uint16_t entryCount, std::uint32_t directorySize,
                           std::uint32_t directoryOffset, RecordBytes& out);
