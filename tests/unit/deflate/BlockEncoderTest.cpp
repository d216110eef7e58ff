// The block encoder's trees, tables and block ends, driven directly.

#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "DeflateRun.h"
#include "StreamAnalyzer.h"
#include "TestInputs.h"
#include "zip/deflate/DeflateInternal.h"

namespace deflatetest {
namespace {

int32_t discard_output(void*, uint8_t*, uint32_t* pending) {
    *pending = 0;
    return 1;
}

class BlockEncoder : public ::testing::Test {
protected:
    void SetUp() override {
        state->level = 8;
        state->write_output = discard_output;
        bitwriter_init(state.get(), buffer, sizeof buffer, true);
        ct_init(state.get());
    }

    // Kraft sum of the lengths × 2^15: exactly 2^15 for a complete prefix code.
    static uint32_t kraft(const TreeNode* tree, int32_t elems) {
        uint32_t sum = 0;
        for (int32_t n = 0; n < elems; ++n) {
            if (tree[n].len != 0) {
                sum += 1u << (15 - tree[n].len);
            }
        }
        return sum;
    }

    std::unique_ptr<CompressorState> state = std::make_unique<CompressorState>();
    uint8_t buffer[16384];
};

TEST_F(BlockEncoder, GivesTwoCodesOfLengthOneToATreeWithFewerThanTwoUsedElements) {
    struct Case {
        std::vector<int32_t> used;
        std::vector<int32_t> coded; // the elements that get length 1
    };
    const Case cases[] = {
        {{}, {0, 1}}, {{0}, {0, 1}}, {{1}, {1, 2}}, {{5}, {0, 5}}, {{29}, {0, 29}},
    };
    for (const Case& c : cases) {
        reset_block(state.get());
        for (int32_t n : c.used) {
            state->encoder.dist_tree[n].freq = 7;
        }
        make_tree(state.get(), &state->encoder.dist_info);
        for (int32_t n = 0; n < static_cast<int32_t>(D_CODES); ++n) {
            const bool coded = n == c.coded[0] || n == c.coded[1];
            EXPECT_EQ(state->encoder.dist_tree[n].len, coded ? 1 : 0) << "element " << n;
        }
        EXPECT_EQ(state->encoder.dist_info.max_code, c.coded[1]);
    }
    EXPECT_EQ(state->check_text, nullptr);
}

TEST_F(BlockEncoder, LimitsCodeLengthsOfSkewedFrequencies) {
    // Fibonacci frequencies make the deepest possible tree: 22 levels for 23 literals, 18 for 19
    // code-length codes. The lengths must be cut to 15 and 7 and still form complete codes.
    struct Case {
        TreeInfo* info;
        int32_t used;
        uint16_t limit;
    };
    const Case cases[] = {{&state->encoder.lit_info, 23, 15}, {&state->encoder.bitlen_info, 19, 7}};
    for (const Case& c : cases) {
        reset_block(state.get());
        TreeNode* tree = c.info->tree;
        if (tree == state->encoder.lit_tree) {
            tree[END_BLOCK].freq = 0;
        }
        uint16_t a = 1, b = 1;
        for (int32_t n = 0; n < c.used; ++n) {
            tree[n].freq = a;
            const uint16_t next = static_cast<uint16_t>(a + b);
            a = b;
            b = next;
        }
        make_tree(state.get(), c.info);
        uint16_t longest = 0;
        for (int32_t n = 0; n < c.used; ++n) {
            EXPECT_GE(tree[n].len, 1) << n;
            longest = std::max(longest, tree[n].len);
        }
        EXPECT_EQ(longest, c.limit);
        EXPECT_EQ(kraft(tree, c.info->elems), 1u << 15);
    }
    EXPECT_EQ(state->check_text, nullptr);
}

TEST_F(BlockEncoder, MapsLengthsAndDistancesToTheirCodes) {
    const ::BlockEncoder& e = state->encoder;
    // length − 3 → code − 257: 258 has code 285 of its own, without extra bits.
    const std::pair<uint32_t, uint32_t> lengths[] = {{3, 0},    {10, 7},   {11, 8},
                                                     {227, 27}, {257, 27}, {258, 28}};
    for (auto [length, code] : lengths) {
        EXPECT_EQ(e.len_code_of[length - 3], code) << "length " << length;
    }
    const std::pair<uint32_t, uint32_t> distances[] = {
        {1, 0},    {4, 3},    {5, 4},      {256, 15},   {257, 16},
        {384, 16}, {385, 17}, {24576, 28}, {24577, 29}, {32506, 29}};
    for (auto [distance, code] : distances) {
        EXPECT_EQ(d_code(e, distance - 1), code) << "distance " << distance;
        EXPECT_LE(static_cast<uint32_t>(e.dist_base[code]), distance - 1);
    }
    EXPECT_EQ(state->check_text, nullptr);
}

TEST_F(BlockEncoder, EndsABlockAfter32767Symbols) {
    for (uint32_t n = 1; n < 32767; ++n) {
        ASSERT_FALSE(ct_tally(state.get(), n % 5 == 0 ? 1 : 0, n & 0xFF)) << n;
    }
    EXPECT_TRUE(ct_tally(state.get(), 0, 'x'));
}

TEST_F(BlockEncoder, EndsAMostlyLiteralBlockEarlyFromLevel3WhenItHalvesItsInput) {
    struct Case {
        int32_t level;
        uint32_t every_nth_is_match; // 0: literals only
        uint32_t input_bytes;        // cur_pos − block_origin at the 4096th symbol
        bool ends;
    };
    const Case cases[] = {
        {8, 0, 8194, true},   // estimate 4096 bytes < 8194 / 2
        {8, 0, 8193, false},  // not below 8193 / 2 = 4096
        {3, 0, 20000, true},  // from level 3 on
        {2, 0, 20000, false}, // not below it
        {8, 2, 60000, false}, // half of the symbols are matches
        {8, 3, 60000, true},  // a third are
    };
    for (const Case& c : cases) {
        state->level = c.level;
        reset_block(state.get());
        state->finder.block_origin = 100;
        state->finder.cur_pos = 100 + c.input_bytes;
        bool ended = false;
        for (uint32_t n = 1; n <= 4096; ++n) {
            const bool match = c.every_nth_is_match != 0 && n % c.every_nth_is_match == 0;
            ended = ct_tally(state.get(), match ? 1 : 0, 'a');
            ASSERT_TRUE(n == 4096 || !ended) << n;
        }
        EXPECT_EQ(ended, c.ends) << "level " << c.level << ", " << c.input_bytes << " bytes";
    }
}

TEST_F(BlockEncoder, StoresABlockOnlyWhileItsInputIsInTheWindow) {
    // Incompressible literals: stored is smallest, but without the input the block must be coded.
    const std::string input = random_bytes(1000, 12);
    std::string output;
    state->context = &output;
    state->write_output = [](void* context, uint8_t* bytes, uint32_t* pending) -> int32_t {
        static_cast<std::string*>(context)->append(reinterpret_cast<char*>(bytes), *pending);
        *pending = 0;
        return 1;
    };
    for (uint8_t* block_input : {reinterpret_cast<uint8_t*>(const_cast<char*>(input.data())),
                                 static_cast<uint8_t*>(nullptr)}) {
        output.clear();
        bitwriter_init(state.get(), buffer, sizeof buffer, true);
        ct_init(state.get());
        for (char c : input) {
            ct_tally(state.get(), 0, static_cast<uint8_t>(c));
        }
        const uint32_t size = emit_block(state.get(), block_input, 1000, true);
        const StreamReport report = inspect_stream(output);
        ASSERT_TRUE(report.ok) << report.error;
        EXPECT_TRUE(report.output == input);
        EXPECT_EQ(size, output.size());
        ASSERT_EQ(report.blocks.size(), 1u);
        EXPECT_EQ(report.blocks[0].type == BlockType::Stored, block_input != nullptr);
    }
    EXPECT_EQ(state->check_text, nullptr);
}

} // namespace
} // namespace deflatetest
