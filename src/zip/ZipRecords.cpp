#include "zip/ZipRecords.h"

#include <algorithm>

namespace {

// Appends little-endian fields to a record buffer.
class RecordWriter {
public:
    explicit RecordWriter(std::uint8_t* out) : out_(out) {}
    RecordWriter& u16(std::uint32_t value) {
        out_[length_++] = static_cast<std::uint8_t>(value);
        out_[length_++] = static_cast<std::uint8_t>(value >> 8);
        return *this;
    }
    RecordWriter& u32(std::uint32_t value) { return u16(value & 0xFFFF).u16(value >> 16); }
    RecordWriter& bytes(const void* data, std::size_t size) {
        std::copy_n(static_cast<const std::uint8_t*>(data), size, out_ + length_);
        length_ += size;
        return *this;
    }
    std::size_t length() const { return length_; }

private:
    std::uint8_t* out_;
    std::size_t length_ = 0;
};

constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;   // "PK" 3 4
constexpr std::uint32_t kDescriptorSignature = 0x08074B50;    // "PK" 7 8
constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50; // "PK" 1 2
constexpr std::uint32_t kEndRecordSignature = 0x06054B50;     // "PK" 5 6
constexpr std::uint16_t kTimeFieldId = 0x5455;                // "UT"
constexpr std::uint8_t kTimeFieldHasAllThree = 0x07;

} // namespace

void SetTimeFields(ZipEntryRecord& record, std::int32_t modifyTime, std::int32_t accessTime,
                   std::int32_t createTime) {
    RecordWriter(record.localExtra.data())
        .u16(kTimeFieldId)
        .u16(kLocalExtraSize - 4)
        .bytes(&kTimeFieldHasAllThree, 1)
        .u32(static_cast<std::uint32_t>(modifyTime))
        .u32(static_cast<std::uint32_t>(accessTime))
        .u32(static_cast<std::uint32_t>(createTime));
    std::copy_n(record.localExtra.begin(), kCentralExtraSize, record.centralExtra.begin());
    record.centralExtra[2] = kCentralExtraSize - 4;
}

std::size_t LocalHeaderBytes(const ZipEntryRecord& record, RecordBytes& out) {
    return RecordWriter(out.data())
        .u32(kLocalHeaderSignature)
        .u16(record.versionNeeded)
        .u16(record.localFlags)
        .u16(record.method)
        .u32(record.dosTime)
        .u32(record.crc)
        .u32(record.compressedSize)
        .u32(record.uncompressedSize)
        .u16(static_cast<std::uint32_t>(record.name.size()))
        .u16(kLocalExtraSize)
        .bytes(record.name.data(), record.name.size())
        .bytes(record.localExtra.data(), kLocalExtraSize)
        .length();
}

std::size_t DataDescriptorBytes(const ZipEntryRecord& record, RecordBytes& out) {
    return RecordWriter(out.data())
        .u32(kDescriptorSignature)
        .u32(record.crc)
        .u32(record.compressedSize)
        .u32(record.uncompressedSize)
        .length();
}

std::size_t CentralHeaderBytes(const ZipEntryRecord& record, RecordBytes& out) {
    return RecordWriter(out.data())
        .u32(kCentralHeaderSignature)
        .u16(record.versionMadeBy)
        .u16(record.versionNeeded)
        .u16(record.flags)
        .u16(record.method)
        .u32(record.dosTime)
        .u32(record.crc)
        .u32(record.compressedSize)
        .u32(record.uncompressedSize)
        .u16(static_cast<std::uint32_t>(record.name.size()))
        .u16(kCentralExtraSize)
        .u16(0) // comment length
        .u16(record.diskStart)
        .u16(record.internalAttributes)
        .u32(record.externalAttributes)
        .u32(record.localHeaderOffset)
        .bytes(record.name.data(), record.name.size())
        .bytes(record.centralExtra.data(), kCentralExtraSize)
        .length();
}

std::size_t EndRecordBytes(std::uint16_t entryCount, std::uint32_t directorySize,
                           std::uint32_t directoryOffset, RecordBytes& out) {
    return RecordWriter(out.data())
        .u32(kEndRecordSignature)
        .u16(0) // number of this disk
        .u16(0) // disk with the central directory
        .u16(entryCount)
        .u16(entryCount)
        .u32(directorySize)
        .u32(directoryOffset)
        .u16(0) // comment length
        .length();
}
