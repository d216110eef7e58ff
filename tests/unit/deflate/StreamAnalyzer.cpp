#include "StreamAnalyzer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace deflatetest {

namespace {

struct BitReader {
    std::string_view bytes;
    size_t pos = 0; // in bits

    uint32_t bit() {
        if (pos / 8 >= bytes.size()) {
            throw std::runtime_error("stream ends early");
        }
        const uint32_t b = (static_cast<uint8_t>(bytes[pos / 8]) >> (pos % 8)) & 1;
        ++pos;
        return b;
    }
    uint32_t bits(uint32_t n) { // least significant first
        uint32_t v = 0;
        for (uint32_t i = 0; i < n; ++i) {
            v |= bit() << i;
        }
        return v;
    }
};

// A canonical Huffman code given by its code lengths (RFC 1951, section 3.2.2), decoded bit by bit.
struct Code {
    std::array<uint32_t, 16> count{};
    std::vector<uint32_t> symbols; // by length, then by value
    uint32_t longest = 0;

    explicit Code(const std::vector<uint32_t>& lengths) {
        for (uint32_t len : lengths) {
            ++count[len];
            longest = std::max(longest, len);
        }
        count[0] = 0;
        for (uint32_t len = 1; len < 16; ++len) {
            for (uint32_t s = 0; s < lengths.size(); ++s) {
                if (lengths[s] == len) {
                    symbols.push_back(s);
                }
            }
        }
    }
    uint32_t decode(BitReader& in) const {
        uint32_t code = 0, first = 0, index = 0;
        for (uint32_t len = 1; len < 16; ++len) {
            code |= in.bit();
            if (code - first < count[len]) {
                return symbols[index + code - first];
            }
            index += count[len];
            first = (first + count[len]) << 1;
            code <<= 1;
        }
        throw std::runtime_error("invalid Huffman code");
    }
};

constexpr uint32_t kLenBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                   31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint32_t kLenExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                    2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint32_t kDistBase[30] = {1,    2,    3,    4,    5,    7,    9,    13,    17,    25,
                                    33,   49,   65,   97,   129,  193,  257,  385,   513,   769,
                                    1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint32_t kDistExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                     6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
constexpr uint32_t kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};

void symbols(BitReader& in, const Code& lit, const Code& dist, BlockReport& block,
             std::string& out) {
    for (;;) {
        const uint32_t sym = lit.decode(in);
        if (sym == 256) {
            return;
        }
        ++block.symbols;
        if (sym < 256) {
            ++block.literals;
            out.push_back(static_cast<char>(sym));
            continue;
        }
        if (sym > 285) {
            throw std::runtime_error("bad length code");
        }
        ++block.length_code_counts[sym - 257];
        const uint32_t length = kLenBase[sym - 257] + in.bits(kLenExtra[sym - 257]);
        const uint32_t dcode = dist.decode(in);
        if (dcode > 29) {
            throw std::runtime_error("bad distance code");
        }
        const uint32_t distance = kDistBase[dcode] + in.bits(kDistExtra[dcode]);
        block.matches.push_back({length, distance});
        if (distance > out.size()) {
            throw std::runtime_error("distance before the start");
        }
        for (uint32_t i = 0; i < length; ++i) {
            out.push_back(out[out.size() - distance]);
        }
    }
}

} // namespace

StreamReport inspect_stream(std::string_view stream) {
    StreamReport report;
    BitReader in{stream};
    try {
        bool last = false;
        while (!last) {
            last = in.bit() != 0;
            BlockReport block;
            const uint32_t type = in.bits(2);
            if (type == 0) {
                in.pos = (in.pos + 7) & ~size_t{7};
                const uint32_t len = in.bits(16);
                if ((in.bits(16) ^ 0xFFFF) != len) {
                    throw std::runtime_error("stored length and its complement differ");
                }
                for (uint32_t i = 0; i < len; ++i) {
                    report.output.push_back(static_cast<char>(in.bits(8)));
                }
                block.stored_length = len;
            } else if (type == 1) {
                block.type = BlockType::Fixed;
                std::vector<uint32_t> lit(288, 8);
                std::fill(lit.begin() + 144, lit.begin() + 256, 9);
                std::fill(lit.begin() + 256, lit.begin() + 280, 7);
                symbols(in, Code(lit), Code(std::vector<uint32_t>(30, 5)), block, report.output);
            } else if (type == 2) {
                block.type = BlockType::Dynamic;
                const uint32_t hlit = in.bits(5) + 257, hdist = in.bits(5) + 1,
                               hclen = in.bits(4) + 4;
                std::vector<uint32_t> bitlen(19, 0);
                for (uint32_t i = 0; i < hclen; ++i) {
                    bitlen[kOrder[i]] = in.bits(3);
                }
                const Code bl(bitlen);
                std::vector<uint32_t> lengths;
                while (lengths.size() < hlit + hdist) {
                    const uint32_t sym = bl.decode(in);
                    if (sym < 16) {
                        lengths.push_back(sym);
                    } else if (sym == 16) {
                        if (lengths.empty()) {
                            throw std::runtime_error("repeat without a length");
                        }
                        lengths.insert(lengths.end(), 3 + in.bits(2), lengths.back());
                    } else {
                        lengths.insert(lengths.end(), sym == 17 ? 3 + in.bits(3) : 11 + in.bits(7),
                                       0);
                    }
                }
                if (lengths.size() != hlit + hdist) {
                    throw std::runtime_error("code lengths overrun");
                }
                const std::vector<uint32_t> lit(lengths.begin(), lengths.begin() + hlit);
                const std::vector<uint32_t> dist(lengths.begin() + hlit, lengths.end());
                const Code lc(lit), dc(dist);
                block.longest_lit_code = lc.longest;
                block.longest_dist_code = dc.longest;
                block.longest_bitlen_code = bl.longest;
                symbols(in, lc, dc, block, report.output);
            } else {
                throw std::runtime_error("block type 3");
            }
            report.blocks.push_back(block);
        }
        report.bytes_used = (in.pos + 7) / 8;
        report.ok = true;
    } catch (const std::exception& e) {
        report.error = e.what();
    }
    return report;
}

} // namespace deflatetest
