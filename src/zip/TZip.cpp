// The container half of TZip: entries, their headers, storing, and the central directory.

#include "zip/TZip.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace {

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

bool IsArchiveSuffix(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos) {
        return false;
    }
    const std::string_view suffix = std::string_view(name).substr(dot);
    constexpr std::array<std::string_view, 8> kArchiveSuffixes = {".Z",   ".zip", ".zoo", ".arc",
                                                                  ".lzh", ".arj", ".gz",  ".tgz"};
    return std::any_of(kArchiveSuffixes.begin(), kArchiveSuffixes.end(),
                       [&](std::string_view known) { return equalIgnoringCase(suffix, known); });
}

std::uint32_t TZip::ZipWriteBytes(const std::uint8_t* bytes, std::size_t n) {
    if (n == 0) {
        return 0;
    }
    const std::uint32_t written = WriteOutput(bytes, static_cast<std::uint32_t>(n));
    bytesWritten += written;
    return written;
}

bool TZip::WriteRecord(const RecordBytes& bytes, std::size_t length) {
    return ZipWriteBytes(bytes.data(), length) == length;
}

std::uint32_t TZip::WriteEntryData(const std::uint8_t* bytes, std::uint32_t n) {
    if (entryError != ZipOk) {
        return 0;
    }
    if (n > entryDataLimit - entryCompressedSize) {
        entryError = ZipErrTooLarge;
        return 0;
    }
    const std::uint32_t written = ZipWriteBytes(bytes, n);
    entryCompressedSize += written;
    if (written != n) {
        entryError = ZipErrWrite;
    }
    return written;
}

ZipResult TZip::StoreEntry() {
    for (;;) {
        const std::uint32_t read = ReadSource(ioBuffer.data(), kZipBufferSize);
        if (read == 0) {
            return ZipOk;
        }
        if (WriteEntryData(ioBuffer.data(), read) != read) {
            return ZipErrSizeMismatch;
        }
    }
}

ZipResult TZip::AddEntry(const char* name, const void* source, std::uint32_t size, ZipKind kind) {
    if (outputError != ZipOk) {
        return ZipErrEarlier;
    }
    if (centralWritten) {
        return ZipErrEnded;
    }
    if (name == nullptr || *name == '\0') {
        return ZipErrArgs;
    }
    ZipEntryRecord record;
    record.name = name;
    std::replace(record.name.begin(), record.name.end(), '\\', '/');
    const bool isFolder = kind == ZipKindFolder;
    if (isFolder && !record.name.ends_with('/')) {
        record.name += '/';
    }
    if (record.name.size() > kZipMaxNameLength) {
        return ZipErrArgs;
    }
    if (entries.size() >= entryCountLimit) {
        return ZipErrTooLarge;
    }
    record.method = isFolder || IsArchiveSuffix(record.name) ? kMethodStored : kMethodDeflated;

    ZipResult opened = ZipErrArgs;
    switch (kind) {
    case ZipKindFileName:
        opened = OpenSourceFile(static_cast<const char*>(source));
        break;
    case ZipKindHandle:
        opened = OpenSourceHandle(
            static_cast<platform::FileHandle>(reinterpret_cast<std::intptr_t>(source)), size);
        break;
    case ZipKindMemory:
        opened = OpenSourceMemory(source, size);
        break;
    case ZipKindFolder:
        opened = OpenSourceFolder();
        break;
    default:
        break;
    }
    if (opened != ZipOk) {
        return opened;
    }

    const bool sizeKnown = srcAnnouncedSize != kZipUnknownSize;
    record.dosTime = srcDosTime;
    record.compressedSize = record.method == kMethodStored && sizeKnown ? srcAnnouncedSize : 0;
    record.uncompressedSize = srcAnnouncedSize;
    record.externalAttributes = srcAttributes;
    record.localHeaderOffset = outputBase + bytesWritten;
    SetTimeFields(record, srcModifyTime, srcAccessTime, srcCreateTime);

    // Refuse what cannot fit before writing anything: after the local header and the data the
    // archive still needs the descriptor, every central header with this one, and the end record.
    const std::uint64_t headerEnd =
        std::uint64_t{record.localHeaderOffset} + LocalHeaderSize(record);
    const std::uint64_t trailer = (outputSeekable ? 0 : kDataDescriptorSize) + centralSize +
                                  CentralHeaderSize(record) + kEndRecordSize;
    const std::uint64_t knownData = record.compressedSize;
    if ((sizeKnown && srcAnnouncedSize > entryLimit) ||
        headerEnd + knownData + trailer > archiveLimit) {
        CloseSource();
        return ZipErrTooLarge;
    }
    entryDataLimit = static_cast<std::uint32_t>(archiveLimit - headerEnd - trailer);

    RecordBytes bytes;
    if (!WriteRecord(bytes, LocalHeaderBytes(record, bytes))) {
        CloseSource();
        return ZipErrWrite;
    }
    if (outputError != ZipOk) {
        CloseSource();
        return outputError;
    }

    ZipResult data = ZipOk;
    if (record.method == kMethodDeflated) {
        data = DeflateEntry(record);
    } else if (!isFolder) {
        data = StoreEntry();
    }
    CloseSource(); // a size that differs from the announced one is no failure: the count read holds
    if (outputError != ZipOk) {
        return outputError;
    }
    if (entryError == ZipErrTooLarge) {
        return ZipErrTooLarge;
    }
    if (data != ZipOk || entryError != ZipOk) {
        return ZipErrWrite;
    }
    return FinishEntry(record);
}

ZipResult TZip::FinishEntry(ZipEntryRecord& record) {
    const bool firstHeaderRight = entryCompressedSize == record.compressedSize;
    record.crc = srcCrc;
    record.compressedSize = entryCompressedSize;
    record.uncompressedSize = srcAnnouncedSize;

    RecordBytes bytes;
    if (outputSeekable) {
        // Patch the provisional local header in place: it has the same length.
        if ((record.flags & kFlagEncrypted) == 0) {
            record.flags &= static_cast<std::uint16_t>(~kFlagDataDescriptor);
        }
        record.localFlags = record.flags;
        if (!SeekOutput(record.localHeaderOffset - outputBase)) {
            return ZipErrNotSeekable;
        }
        const std::size_t length = LocalHeaderBytes(record, bytes);
        if (WriteOutput(bytes.data(), static_cast<std::uint32_t>(length)) != length) {
            SeekOutput(bytesWritten);
            return ZipErrWrite;
        }
        if (!SeekOutput(bytesWritten)) {
            return ZipErrNotSeekable;
        }
    } else {
        // A stream can't be patched: readers find a stored entry's end only by the size in its
        // local header, so that size must have been right; a deflated entry ends by itself.
        if (record.method == kMethodStored && !firstHeaderRight) {
            return ZipErrCannotPatch;
        }
        if (!WriteRecord(bytes, DataDescriptorBytes(record, bytes))) {
            return ZipErrWrite;
        }
    }
    if (outputError != ZipOk) {
        return outputError;
    }
    centralSize += static_cast<std::uint32_t>(CentralHeaderSize(record));
    entries.push_back(std::move(record));
    return ZipOk;
}

ZipResult TZip::WriteCentralDirectory() {
    const std::uint32_t start = bytesWritten;
    RecordBytes bytes;
    bool written = true;
    for (const ZipEntryRecord& record : entries) {
        written = WriteRecord(bytes, CentralHeaderBytes(record, bytes));
        if (!written) {
            break;
        }
    }
    if (written) {
        written =
            WriteRecord(bytes, EndRecordBytes(static_cast<std::uint16_t>(entries.size()),
                                              bytesWritten - start, start + outputBase, bytes));
    }
    entries.clear();
    centralSize = 0;
    return written ? ZipOk : ZipErrWrite;
}

ZipResult TZip::Finish() {
    ZipResult result = ZipOk;
    if (!centralWritten) {
        result = WriteCentralDirectory();
        centralWritten = true;
    }
    memoryArea = nullptr;
    mappingHandle.reset(); // a caller's own area is left alone
    if (outputHandle != platform::kNoFileHandle) {
        // A failed close of a written file may have lost data.
        if (!platform::closeFile(outputHandle) && result == ZipOk) {
            result = ZipErrWrite;
        }
        outputHandle = platform::kNoFileHandle;
    }
    return result;
}
