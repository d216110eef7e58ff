// Every stream inflates back to its input, judged by Python's zlib and by our own decoder, at
// every level, on inputs that take each path of the compressor; and every stream keeps the format's
// limits: at most 32767 symbols per block, codes of at most 15 bits (7 for code lengths).

#include <vector>

#include <gtest/gtest.h>

#include "DeflateRun.h"
#include "PythonInflate.h"
#include "StreamAnalyzer.h"
#include "TestInputs.h"

namespace deflatetest {
namespace {

struct Input {
    std::string name;
    std::string bytes;
};

std::vector<Input> inputs() {
    std::vector<Input> list = {
        {"one byte", "x"},
        {"two bytes", "xy"},
        {"three equal bytes", "zzz"},
        {"a long run of one byte", std::string(100000, 'q')},
        {"random bytes past two slides", random_bytes(150000, 7)},
        {"pseudo-text past several slides", word_text(300000, 11)},
        {"mixed text, random and records", mixed_bytes(400000, 5)},
        {"a 300-byte text repeated", std::string(word_text(300, 3)) + word_text(300, 3) +
                                         word_text(300, 3) + word_text(300, 3)},
    };
    // Real files of the machine: a license text and this test program itself.
    list.push_back({"the GPL-3 text", file_or_empty("/usr/share/common-licenses/GPL-3")});
    list.push_back({"this test program", file_or_empty("/proc/self/exe").substr(0, 700000)});
    return list;
}

class RoundTrip : public ::testing::TestWithParam<int32_t> {};

TEST_P(RoundTrip, InflatesBackAndKeepsTheFormatLimits) {
    const std::vector<Input> list = inputs();
    std::vector<std::string> streams;
    for (const Input& input : list) {
        ASSERT_FALSE(input.bytes.empty()) << input.name << " could not be read";
        DeflateOptions options;
        options.level = GetParam();
        DeflateRun run = deflate_bytes(input.bytes, options);
        EXPECT_EQ(run.check_text, nullptr) << input.name << ": " << run.check_text;
        EXPECT_EQ(run.reported, run.bytes.size()) << input.name;
        streams.push_back(std::move(run.bytes));
    }

    const std::vector<Inflated> inflated = python_inflate(streams);
    for (size_t i = 0; i < list.size(); ++i) {
        SCOPED_TRACE(list[i].name);
        ASSERT_TRUE(inflated[i].ok) << inflated[i].error;
        EXPECT_TRUE(inflated[i].data == list[i].bytes);

        const StreamReport report = inspect_stream(streams[i]);
        ASSERT_TRUE(report.ok) << report.error;
        EXPECT_TRUE(report.output == list[i].bytes);
        EXPECT_EQ(report.bytes_used, streams[i].size());
        for (const BlockReport& block : report.blocks) {
            EXPECT_LE(block.symbols, 32767u);
            EXPECT_LE(block.longest_lit_code, 15u);
            EXPECT_LE(block.longest_dist_code, 15u);
            EXPECT_LE(block.longest_bitlen_code, 7u);
            for (const BlockReport::Match& match : block.matches) {
                ASSERT_LE(match.distance, 32506u);
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, RoundTrip, ::testing::Range(1, 9));

// The input callback may deliver less than asked, down to one byte at a time; the output buffer
// may be tiny. Neither changes what the stream holds.
TEST(RoundTrip, SurvivesShortReadsAndSmallOutputBuffers) {
    const std::string input = mixed_bytes(200000, 9);
    const DeflateRun reference = deflate_bytes(input);
    std::vector<std::string> streams;
    for (uint32_t max_read : {1u, 263u, 4096u}) {
        DeflateOptions options;
        options.max_read = max_read;
        DeflateRun run = deflate_bytes(max_read == 1 ? input.substr(0, 20000) : input, options);
        EXPECT_EQ(run.check_text, nullptr) << max_read;
        streams.push_back(std::move(run.bytes));
    }
    for (uint32_t capacity : {2u, 3u, 17u, 1000u}) {
        DeflateOptions options;
        options.out_capacity = capacity;
        const DeflateRun run = deflate_bytes(input, options);
        EXPECT_EQ(run.check_text, nullptr) << capacity;
        EXPECT_TRUE(run.bytes == reference.bytes) << "output capacity " << capacity;
    }
    const std::vector<Inflated> inflated = python_inflate(streams);
    ASSERT_TRUE(inflated[0].ok) << inflated[0].error;
    EXPECT_TRUE(inflated[0].data == input.substr(0, 20000));
    for (size_t i = 1; i < inflated.size(); ++i) {
        ASSERT_TRUE(inflated[i].ok) << inflated[i].error;
        EXPECT_TRUE(inflated[i].data == input);
    }
}

} // namespace
} // namespace deflatetest
