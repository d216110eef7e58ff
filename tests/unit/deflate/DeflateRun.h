#pragma once
// Runs the compressor over bytes in memory, as the ZIP writer drives it.

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace deflatetest {

struct DeflateOptions {
    int32_t level = 8;
    uint32_t max_read = 0; // the input callback delivers at most this many bytes (0: all asked)
    uint32_t out_capacity = 16384; // the bit writer's buffer
    // The output callback refuses (leaves the bytes pending) once this many bytes were written.
    uint32_t refuse_after = std::numeric_limits<uint32_t>::max();
    int32_t end_answer = 0; // what the input callback answers at the end: 0, -1, ...
};

struct DeflateRun {
    std::string bytes;     // everything the output callback took
    uint32_t reported = 0; // compress_lazy's count
    const char* check_text = nullptr;
    uint16_t flags = 0; // the general purpose flags after match_init (started at 0)
};

DeflateRun deflate_bytes(std::string_view input, const DeflateOptions& options = {});

// FNV-1a, 64 bits: a digest that pins a stream's bytes.
uint64_t fnv1a(const std::string& bytes);

} // namespace deflatetest
