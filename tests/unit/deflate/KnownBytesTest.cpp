// Streams small enough to work out by hand: the bytes must be exactly these.

#include <gtest/gtest.h>

#include "DeflateRun.h"

namespace deflatetest {
namespace {

struct KnownStream {
    const char* name;
    std::string input;
    std::string expected;
};

std::string hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out += {digits[b >> 4], digits[b & 15], ' '};
    }
    return out;
}

const KnownStream kStreams[] = {
    // One final fixed-code block with only the end-of-block code.
    {"empty", "", std::string("\x03\x00", 2)},
    // Three fixed-code literals: 5 bytes beat the stored 3 + 4 and any dynamic block.
    {"abc", "abc", std::string("\x4B\x4C\x4A\x06\x00", 5)},
    // Position 0 is "no position": two literals, then length 8 at distance 1 (code 262, code 0).
    {"ten equal bytes", std::string(10, 'a'), std::string("\x4B\x4C\x84\x01\x00", 5)},
};

class KnownBytes : public ::testing::TestWithParam<int32_t> {};

TEST_P(KnownBytes, AreTheSameAtEveryLevel) {
    for (const KnownStream& stream : kStreams) {
        DeflateOptions options;
        options.level = GetParam();
        const DeflateRun run = deflate_bytes(stream.input, options);
        EXPECT_EQ(hex(run.bytes), hex(stream.expected)) << stream.name;
        EXPECT_EQ(run.reported, stream.expected.size()) << stream.name;
        EXPECT_EQ(run.check_text, nullptr) << stream.name;
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, KnownBytes, ::testing::Range(1, 9));

} // namespace
} // namespace deflatetest
