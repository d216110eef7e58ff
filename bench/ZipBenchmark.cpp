// bench_zip FOLDER [RUNS]: archives text.bin, binary.bin and mixed.bin of FOLDER (made by
// scripts/make-bench-corpus.sh) through ZipAddEntry into a file, and compares the time with
// the compressor alone on the same bytes from memory, and with the CRC-32 alone. Prints, per
// file, the best of RUNS runs: MB/s (10^6 input bytes per second) through the writer and of
// Deflate alone, and the share that the writer's reading, CRC-32 and writing add to the
// Deflate time.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

#include "support/FileBytes.h"
#include "zip/Crc32.h"
#include "zip/Zip.h"
#include "zip/deflate/Deflate.h"

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

struct MemoryStream {
    const std::string* input;
    std::size_t at = 0;
};

int32_t readMemory(void* context, uint8_t* buffer, uint32_t size) {
    auto* stream = static_cast<MemoryStream*>(context);
    const std::size_t n = std::min<std::size_t>(size, stream->input->size() - stream->at);
    std::memcpy(buffer, stream->input->data() + stream->at, n);
    stream->at += n;
    return static_cast<int32_t>(n);
}

int32_t dropOutput(void*, uint8_t*, uint32_t* pending) {
    const auto n = static_cast<int32_t>(*pending);
    *pending = 0;
    return n;
}

// The compressor alone, as the writer sets it up, with the output dropped.
double deflateSeconds(const std::string& input) {
    static uint8_t buffer[16384];
    auto state = std::make_unique<CompressorState>();
    MemoryStream stream{&input};
    uint16_t flags = 0;
    state->context = &stream;
    state->level = 8;
    state->read_input = readMemory;
    state->write_output = dropOutput;
    const auto start = Clock::now();
    bitwriter_init(state.get(), buffer, sizeof buffer, true);
    ct_init(state.get());
    match_init(state.get(), 8, &flags);
    compress_lazy(state.get());
    return secondsSince(start);
}

double crcSeconds(const std::string& input) {
    const auto start = Clock::now();
    volatile std::uint32_t crc =
        Crc32Update(0, reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    (void)crc;
    return secondsSince(start);
}

double zipSeconds(const std::string& source, const std::string& archive) {
    const auto start = Clock::now();
    ZipHandle* zip = ZipCreateArchive(archive.c_str(), 0, ZipKindFileName);
    const ZipResult added = ZipAddEntry(zip, "entry.bin", source.c_str(), 0, ZipKindFileName);
    const ZipResult closed = ZipCloseArchive(zip);
    const double seconds = secondsSince(start);
    if (added != ZipOk || closed != ZipOk) {
        std::fprintf(stderr, "bench_zip: writing %s failed\n", archive.c_str());
        std::exit(1);
    }
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_zip FOLDER [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const std::string archive = folder + "/bench_zip.zip";

    std::printf("level 8, best of %d runs; overhead = (writer - Deflate alone) / Deflate alone\n",
                runs);
    std::printf("%-11s %9s %12s %12s %9s %9s\n", "file", "MB", "writer MB/s", "Deflate MB/s",
                "overhead", "CRC-32");
    for (const char* name : {"text.bin", "binary.bin", "mixed.bin"}) {
        const std::string source = folder + "/" + name;
        const std::string input = testsupport::readBytes(source);
        double zip = 1e9;
        double deflate = 1e9;
        double crc = 1e9;
        for (int run = 0; run < runs; ++run) {
            deflate = std::min(deflate, deflateSeconds(input));
            zip = std::min(zip, zipSeconds(source, archive));
            crc = std::min(crc, crcSeconds(input));
        }
        const double megabytes = static_cast<double>(input.size()) / 1e6;
        std::printf("%-11s %9.1f %12.1f %12.1f %8.1f%% %8.1f%%\n", name, megabytes, megabytes / zip,
                    megabytes / deflate, 100 * (zip - deflate) / deflate, 100 * crc / deflate);
    }
    ::unlink(archive.c_str());
    return 0;
}
