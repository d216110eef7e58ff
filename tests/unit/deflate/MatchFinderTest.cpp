// The match finder's rules that decide which matches a stream holds, seen through our decoder.

#include <gtest/gtest.h>

#include "DeflateRun.h"
#include "StreamAnalyzer.h"
#include "TestInputs.h"

namespace deflatetest {
namespace {

std::vector<BlockReport::Match> matches_of(const std::string& input, int32_t level = 8) {
    DeflateOptions options;
    options.level = level;
    const DeflateRun run = deflate_bytes(input, options);
    EXPECT_EQ(run.check_text, nullptr);
    const StreamReport report = inspect_stream(run.bytes);
    EXPECT_TRUE(report.ok) << report.error;
    EXPECT_TRUE(report.output == input);
    std::vector<BlockReport::Match> all;
    for (const BlockReport& block : report.blocks) {
        all.insert(all.end(), block.matches.begin(), block.matches.end());
    }
    return all;
}

bool has_match(const std::vector<BlockReport::Match>& matches, uint32_t length, uint32_t distance) {
    for (const BlockReport::Match& m : matches) {
        if (m.length == length && m.distance == distance) {
            return true;
        }
    }
    return false;
}

bool has_distance(const std::vector<BlockReport::Match>& matches, uint32_t distance) {
    for (const BlockReport::Match& m : matches) {
        if (m.distance == distance) {
            return true;
        }
    }
    return false;
}

TEST(MatchFinder, PositionZeroIsNeverAMatchSource) {
    // The repeat of the first 8 bytes finds only the string at position 1: 9 literals, then 7.
    for (int32_t level = 1; level <= 8; ++level) {
        const auto matches = matches_of("abcdefghabcdefgh", level);
        ASSERT_EQ(matches.size(), 1u) << level;
        EXPECT_EQ(matches[0].length, 7u);
        EXPECT_EQ(matches[0].distance, 8u);
    }
}

TEST(MatchFinder, CodesARunAsDistanceOneMatchesOfAtMost258) {
    DeflateRun run = deflate_bytes(std::string(100000, 'q'));
    const StreamReport report = inspect_stream(run.bytes);
    ASSERT_TRUE(report.ok) << report.error;
    ASSERT_EQ(report.blocks.size(), 1u);
    const BlockReport& block = report.blocks[0];
    EXPECT_EQ(block.literals, 2u);
    for (const BlockReport::Match& m : block.matches) {
        EXPECT_EQ(m.distance, 1u);
    }
    // 99998 bytes in matches of 258 (code 285, no extra bits) but for the last one.
    EXPECT_EQ(block.length_code_counts[28], 99998u / 258);
    EXPECT_EQ(block.matches.size(), 99998u / 258 + 1);
}

TEST(MatchFinder, DropsThreeByteMatchesFartherThan4096OnlyInTheLazyLoop) {
    // "QJX" twice, 5000 bytes apart, with filler that shares no three bytes with it.
    std::string filler = word_text(4997, 21);
    const std::string input = "..QJX" + filler + "QJX..";
    for (int32_t level = 1; level <= 8; ++level) {
        const auto matches = matches_of(input, level);
        EXPECT_EQ(has_match(matches, 3, 5000), level <= 3) << "level " << level;
    }
}

TEST(MatchFinder, UsesDistance32506OnlyFromTheChainHead) {
    // A ten-byte string repeated exactly 32506 bytes later: found while it heads its chain...
    const std::string target = "KLMNOPQRST";
    const std::string filler = word_text(32506 - target.size(), 4);
    const std::string alone = "...." + target + filler + target + "....";
    EXPECT_TRUE(has_distance(matches_of(alone), 32506));

    // ...but not behind a nine-byte copy 100 bytes back that heads the chain now: the search
    // does not go on to a candidate that far, although its match would be longer.
    std::string shadowed = alone;
    shadowed.replace(4 + 32506 - 100, target.size(), "KLMNOPQRS!");
    const auto matches = matches_of(shadowed);
    EXPECT_FALSE(has_distance(matches, 32506));
    EXPECT_TRUE(has_distance(matches, 100));
}

TEST(MatchFinder, NoMatchReachesPastTheEndOfTheInput) {
    // Near the end the longest allowed match shrinks to the bytes left.
    for (size_t n : {4u, 5u, 259u, 262u, 300u, 1000u}) {
        const std::string input = "xyz" + std::string(n, 'x');
        for (int32_t level : {1, 8}) {
            const auto matches = matches_of(input, level);
            ASSERT_FALSE(matches.empty());
        }
    }
}

struct LevelCase {
    int32_t level;
    uint16_t flags;
    const char* check_text;
};

TEST(MatchFinder, ChecksTheLevelAndSetsItsFlags) {
    const LevelCase cases[] = {
        {1, 0x0004, nullptr},
        {2, 0x0004, nullptr},
        {3, 0, nullptr},
        {7, 0, nullptr},
        {8, 0x0002, nullptr},
        {0, 0x0004, "bad pack level"},
        {9, 0x0002, "bad pack level"},
        {-1, 0x0004, "bad pack level"},
        {100, 0x0002, "bad pack level"},
    };
    const std::string input = word_text(50000, 8);
    for (const LevelCase& c : cases) {
        DeflateOptions options;
        options.level = c.level;
        const DeflateRun run = deflate_bytes(input, options);
        EXPECT_EQ(run.flags, c.flags) << "level " << c.level;
        if (c.check_text == nullptr) {
            EXPECT_EQ(run.check_text, nullptr) << "level " << c.level;
        } else {
            EXPECT_STREQ(run.check_text, c.check_text) << "level " << c.level;
        }
        // The run completes with a valid stream all the same.
        const StreamReport report = inspect_stream(run.bytes);
        ASSERT_TRUE(report.ok) << report.error;
        EXPECT_TRUE(report.output == input);
    }
}

TEST(MatchFinder, TakesZeroAndAnyNegativeCountAsTheEndOfInput) {
    const std::string input = mixed_bytes(70000, 6);
    const DeflateRun reference = deflate_bytes(input);
    for (int32_t end_answer : {-1, -2, INT32_MIN}) {
        DeflateOptions options;
        options.end_answer = end_answer;
        const DeflateRun run = deflate_bytes(input, options);
        EXPECT_TRUE(run.bytes == reference.bytes) << end_answer;
        EXPECT_EQ(run.check_text, nullptr);
        DeflateRun empty = deflate_bytes("", options);
        EXPECT_EQ(empty.bytes, std::string("\x03\x00", 2));
    }
}

} // namespace
} // namespace deflatetest
