// The compressor's output is fixed by its algorithm, byte for byte, not merely some valid stream.
// These digests pin the bytes that the reviewed implementation gives on inputs that take every
// path (long matches, slides, stored, fixed and dynamic blocks, early block ends), so that a
// faster build cannot change a single byte unnoticed.

#include <cstdio>
#include <functional>

#include <gtest/gtest.h>

#include "DeflateRun.h"
#include "TestInputs.h"

namespace deflatetest {
namespace {

struct Golden {
    const char* input;
    int32_t level;
    size_t size;
    uint64_t digest;
};

std::string golden_input(const std::string& name) {
    if (name == "text") {
        return word_text(200000, 1);
    }
    if (name == "mixed") {
        return mixed_bytes(300000, 2);
    }
    if (name == "random") {
        return random_bytes(100000, 3);
    }
    // Runs of one byte and of short patterns, longer and shorter than a match.
    std::string runs;
    for (uint32_t i = 0; runs.size() < 150000; ++i) {
        runs.append(1 + (i * 37) % 700, static_cast<char>('a' + i % 5));
        runs += word_text(i % 40, i);
    }
    return runs;
}

const Golden kGolden[] = {
#include "GoldenOutputs.inc"
};

TEST(GoldenOutput, EveryLevelGivesThePinnedBytes) {
    for (const char* name : {"text", "mixed", "random", "runs"}) {
        const std::string input = golden_input(name);
        for (int32_t level = 1; level <= 8; ++level) {
            DeflateOptions options;
            options.level = level;
            const DeflateRun run = deflate_bytes(input, options);
            const Golden* golden = nullptr;
            for (const Golden& g : kGolden) {
                if (std::string(g.input) == name && g.level == level) {
                    golden = &g;
                }
            }
            char actual[96];
            std::snprintf(actual, sizeof actual, "{\"%s\", %d, %zu, 0x%016llxull},", name, level,
                          run.bytes.size(), static_cast<unsigned long long>(fnv1a(run.bytes)));
            if (golden == nullptr) {
                ADD_FAILURE() << "no pinned output: " << actual;
                continue;
            }
            EXPECT_EQ(run.bytes.size(), golden->size) << actual;
            EXPECT_EQ(fnv1a(run.bytes), golden->digest) << actual;
        }
    }
}

} // namespace
} // namespace deflatetest
