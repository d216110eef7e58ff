#pragma once
// A small Deflate decoder of our own (RFC 1951) that reports how a stream is built: the type of
// each block, its symbols and the code lengths of its trees. A second, independent judge besides
// Python's zlib, and the only one that shows the structure.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace deflatetest {

enum class BlockType { Stored = 0, Fixed = 1, Dynamic = 2 };

struct BlockReport {
    BlockType type = BlockType::Stored;
    uint32_t symbols = 0;                 // literals and matches (Huffman blocks)
    uint32_t stored_length = 0;           // stored blocks
    uint32_t longest_lit_code = 0;        // dynamic blocks: longest literal/length code
    uint32_t longest_dist_code = 0;       // dynamic blocks: longest distance code
    uint32_t longest_bitlen_code = 0;     // dynamic blocks: longest code-length code
    uint32_t length_code_counts[29] = {}; // uses of the length codes 257..285
    struct Match {
        uint32_t length;
        uint32_t distance;
    };
    std::vector<Match> matches; // in stream order
    uint32_t literals = 0;
};

struct StreamReport {
    bool ok = false;
    std::string error;
    std::string output;
    std::vector<BlockReport> blocks;
    size_t bytes_used = 0; // bytes up to and including the final block's last byte
};

StreamReport inspect_stream(std::string_view stream);

} // namespace deflatetest
