// Compressing one entry: a fresh compressor state per entry, fed from the source through
// ReadSource and flushing its output buffer (TZip::ioBuffer) through WriteEntryData.

#include <memory>

#include "zip/TZip.h"
#include "zip/deflate/Deflate.h"

namespace {

constexpr std::int32_t kArchiveLevel = 8;

std::int32_t ZipReadInput(void* context, std::uint8_t* buffer, std::uint32_t size) {
    return static_cast<std::int32_t>(static_cast<TZip*>(context)->ReadSource(buffer, size));
}

// Writes the pending bytes of the output buffer. Once the entry has failed (a short write, or
// the archive would pass its limit) the bytes are dropped, so that the compressor always finds
// room; its input then ends at once, and the entry is refused when it returns.
std::int32_t ZipFlushOutput(void* context, std::uint8_t* buffer, std::uint32_t* pending) {
    if (*pending == 0) {
        return 0;
    }
    auto* zip = static_cast<TZip*>(context);
    const std::uint32_t written = zip->WriteEntryData(buffer, *pending);
    *pending = 0;
    return static_cast<std::int32_t>(written);
}

} // namespace

ZipResult TZip::DeflateEntry(ZipEntryRecord& record) {
    // Several hundred KiB: on the heap, value-initialised, for this entry only.
    auto state = std::make_unique<CompressorState>();
    state->check_text = nullptr;
    state->level = kArchiveLevel;
    state->context = this;
    state->read_input = ZipReadInput;
    state->write_output = ZipFlushOutput;
    bitwriter_init(state.get(), ioBuffer.data(), kZipBufferSize, true);
    ct_init(state.get());
    match_init(state.get(), kArchiveLevel, &record.flags);
    const std::uint32_t produced = compress_lazy(state.get());
    if (state->check_text != nullptr) {
        return ZipErrCompressor;
    }
    // Every byte produced must have reached the archive.
    return produced == entryCompressedSize && entryError == ZipOk ? ZipOk : ZipErrWrite;
}
