// The input and output half of TZip: the archive target, the entry sources, their attributes and
// time stamps, and the CRC-32 and count of the bytes read.

#include <algorithm>
#include <cstring>

#include "platform/FileInfo.h"
#include "platform/LocalTime.h"
#include "platform/Paths.h"
#include "zip/Crc32.h"
#include "zip/TZip.h"
#include "zip/ZipTimes.h"

using platform::kNoFileHandle;

namespace {

// External attributes: the file system's attribute byte low, a Unix-style mode high.
constexpr std::uint32_t kAttrReadOnly = 0x01;
constexpr std::uint32_t kAttrHidden = 0x02;
constexpr std::uint32_t kAttrArchive = 0x20;
constexpr std::uint32_t kModeRegular = 0x80000000;
constexpr std::uint32_t kModeOwnerRead = 0x01000000;
constexpr std::uint32_t kModeOwnerWrite = 0x00800000;
constexpr std::uint32_t kModeOwnerExecute = 0x00400000;
// A folder: type directory, owner read, write and execute, and the directory attribute.
constexpr std::uint32_t kFolderAttributes = 0x41C00010;

platform::FileHandle handleArgument(const void* argument) {
    return static_cast<platform::FileHandle>(reinterpret_cast<std::intptr_t>(argument));
}

} // namespace

TZip::~TZip() {
    if (srcOwnsHandle) {
        platform::closeFile(srcHandle);
    }
    if (outputHandle != kNoFileHandle) {
        platform::closeFile(outputHandle);
    }
}

ZipResult TZip::OpenOutput(const void* target, std::uint32_t size, ZipKind kind) {
    if (outputHandle != kNoFileHandle || mappingHandle || memoryArea != nullptr ||
        bytesWritten != 0 || outputError != ZipOk || centralWritten) {
        return ZipErrState;
    }
    switch (kind) {
    case ZipKindHandle: {
        const platform::FileHandle duplicate = platform::duplicateHandle(handleArgument(target));
        if (duplicate == kNoFileHandle) {
            return ZipErrDupHandle;
        }
        outputSeekable = platform::isDiskFile(duplicate);
        const std::uint64_t position =
            outputSeekable ? platform::filePosition(duplicate).value_or(0) : 0;
        if (position > archiveLimit) {
            platform::closeFile(duplicate);
            return ZipErrTooLarge;
        }
        outputHandle = duplicate;
        outputBase = static_cast<std::uint32_t>(position);
        return ZipOk;
    }
    case ZipKindFileName:
        if (target == nullptr) {
            return ZipErrArgs;
        }
        outputHandle = platform::createFileExclusive(static_cast<const char*>(target));
        if (outputHandle == kNoFileHandle) {
            return ZipErrOpenFile;
        }
        outputSeekable = true;
        outputBase = 0;
        return ZipOk;
    case ZipKindMemory:
        if (size == 0) {
            return ZipErrBufferFull;
        }
        if (target == nullptr) {
            mappingHandle = platform::MemoryArea::create(size);
            if (!mappingHandle) {
                return ZipErrNoMemory;
            }
            memoryArea = mappingHandle->data();
        } else {
            memoryArea = static_cast<std::uint8_t*>(const_cast<void*>(target));
        }
        outputSeekable = true;
        memoryPos = 0;
        memorySize = size;
        return ZipOk;
    default:
        return ZipErrArgs;
    }
}

std::uint32_t TZip::WriteOutput(const std::uint8_t* bytes, std::uint32_t n) {
    if (memoryArea != nullptr) {
        if (std::uint64_t{memoryPos} + n < memorySize) {
            std::memcpy(memoryArea + memoryPos, bytes, n);
            memoryPos += n;
            return n;
        }
        outputError = ZipErrBufferFull;
        return 0;
    }
    if (outputHandle != kNoFileHandle) {
        return static_cast<std::uint32_t>(platform::writeFile(outputHandle, bytes, n));
    }
    outputError = ZipErrState;
    return 0;
}

bool TZip::SeekOutput(std::uint32_t pos) {
    if (!outputSeekable) {
        outputError = ZipErrNotSeekable;
        return false;
    }
    if (memoryArea != nullptr) {
        if (pos < memorySize) {
            memoryPos = pos;
            return true;
        }
        outputError = ZipErrBufferFull;
        return false;
    }
    if (outputHandle != kNoFileHandle) {
        return platform::seekFile(outputHandle, std::uint64_t{outputBase} + pos);
    }
    outputError = ZipErrState;
    return false;
}

void TZip::ResetSource() {
    srcHandle = kNoFileHandle;
    srcMemory = nullptr;
    srcMemorySize = 0;
    srcMemoryPos = 0;
    srcOwnsHandle = false;
    srcCrc = 0;
    srcAnnouncedSize = 0;
    srcBytesRead = 0;
    entryCompressedSize = 0;
    entryError = ZipOk;
}

void TZip::TakeCurrentTime() {
    const platform::LocalDateTime now = platform::localNow();
    srcDosTime = DosDateTimeOf(now);
    srcModifyTime = srcAccessTime = srcCreateTime = FileTimeToUnix(platform::unixTimeOf(now));
}

ZipResult TZip::OpenSourceFile(const char* name) {
    ResetSource();
    if (name == nullptr) {
        return ZipErrArgs;
    }
    const platform::FileHandle handle = platform::openFileForReading(name);
    if (handle == kNoFileHandle) {
        return ZipErrOpenFile;
    }
    const ZipResult result = OpenSourceHandle(handle, 0);
    if (result != ZipOk) {
        platform::closeFile(handle);
        return result;
    }
    srcOwnsHandle = true;
    // On Linux a file is hidden by the dot that starts its name.
    if (platform::fileNamePart(name).starts_with('.')) {
        srcAttributes |= kAttrHidden;
    }
    return ZipOk;
}

ZipResult TZip::OpenSourceHandle(platform::FileHandle handle, std::uint32_t size) {
    ResetSource();
    if (handle == 0 || handle == kNoFileHandle || !platform::fileInfo(handle)) {
        return ZipErrArgs;
    }
    if (platform::isDiskFile(handle)) {
        const ZipResult result = QueryFileInfo(handle);
        if (result != ZipOk) {
            return result;
        }
        platform::seekFile(handle, 0);
    } else {
        srcAttributes = kModeRegular;
        srcAnnouncedSize = size != 0 ? size : kZipUnknownSize;
        TakeCurrentTime();
    }
    srcHandle = handle;
    return ZipOk;
}

ZipResult TZip::OpenSourceMemory(const void* memory, std::uint32_t size) {
    ResetSource();
    if (memory == nullptr || size == 0) {
        return ZipErrArgs;
    }
    srcMemory = static_cast<const std::uint8_t*>(memory);
    srcMemorySize = size;
    srcAttributes = kModeRegular;
    srcAnnouncedSize = size;
    TakeCurrentTime();
    return ZipOk;
}

ZipResult TZip::OpenSourceFolder() {
    ResetSource();
    srcAttributes = kFolderAttributes;
    srcAnnouncedSize = 0;
    TakeCurrentTime();
    return ZipOk;
}

ZipResult TZip::QueryFileInfo(platform::FileHandle handle) {
    const auto info = platform::fileInfo(handle);
    if (!info) {
        return ZipErrOpenFile;
    }
    if (info->type != platform::FileType::Regular) {
        return ZipErrState;
    }
    if (static_cast<std::uint64_t>(info->size) > entryLimit) {
        return ZipErrTooLarge;
    }
    srcAttributes = kModeRegular | kModeOwnerRead | kAttrArchive;
    srcAttributes |= info->ownerCanWrite ? kModeOwnerWrite : kAttrReadOnly;
    if (info->ownerCanExecute) {
        srcAttributes |= kModeOwnerExecute;
    }
    srcAnnouncedSize = static_cast<std::uint32_t>(info->size);
    srcAccessTime = FileTimeToUnix(info->accessTime);
    srcModifyTime = FileTimeToUnix(info->modifyTime);
    srcCreateTime = FileTimeToUnix(info->createTime);
    srcDosTime = DosDateTimeOf(platform::localDateTimeOf(info->modifyTime));
    return ZipOk;
}

std::uint32_t TZip::ReadSource(std::uint8_t* buffer, std::uint32_t n) {
    if (entryError != ZipOk) {
        return 0;
    }
    // One byte more than the limit allows tells a source that is too large from one that ends.
    const std::uint32_t room = entryLimit - srcBytesRead;
    const std::uint32_t wanted = std::min(n, room + 1);
    std::uint32_t delivered = 0;
    if (srcMemory != nullptr) {
        delivered = std::min(wanted, srcMemorySize - srcMemoryPos);
        std::memcpy(buffer, srcMemory + srcMemoryPos, delivered);
        srcMemoryPos += delivered;
    } else if (srcHandle != kNoFileHandle) {
        delivered = static_cast<std::uint32_t>(platform::readFile(srcHandle, buffer, wanted));
    } else {
        outputError = ZipErrState;
        return 0;
    }
    if (delivered > room) {
        entryError = ZipErrTooLarge;
        return 0;
    }
    srcBytesRead += delivered;
    srcCrc = Crc32Update(srcCrc, buffer, delivered);
    return delivered;
}

ZipResult TZip::CloseSource() {
    if (srcOwnsHandle) {
        platform::closeFile(srcHandle);
        srcOwnsHandle = false;
    }
    srcHandle = kNoFileHandle;
    srcMemory = nullptr;
    const bool differs = srcAnnouncedSize != kZipUnknownSize && srcAnnouncedSize != srcBytesRead;
    srcAnnouncedSize = srcBytesRead;
    return differs ? ZipErrSizeMismatch : ZipOk;
}
