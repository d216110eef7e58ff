// An output callback that stops taking bytes: the compressor never writes past its buffer, and
// the failure is recorded instead of passing as a good stream.

#include <gtest/gtest.h>

#include "DeflateRun.h"
#include "TestInputs.h"

namespace deflatetest {
namespace {

TEST(BitWriter, RecordsRefusedOutputAndStaysInsideItsBuffer) {
    struct Case {
        const char* name;
        std::string input; // coded blocks, or stored blocks handed over from the window
        uint32_t out_capacity;
        uint32_t refuse_after;
    };
    const Case cases[] = {
        {"coded, small buffer", word_text(200000, 2), 64, 1000},
        {"coded, full buffer", mixed_bytes(300000, 3), 16384, 20000},
        {"stored", random_bytes(100000, 4), 16384, 10},
        {"only the last byte", "abc", 16384, 4},
    };
    for (const Case& c : cases) {
        DeflateOptions options;
        options.out_capacity = c.out_capacity;
        options.refuse_after = c.refuse_after;
        const DeflateRun run = deflate_bytes(c.input, options);
        EXPECT_STREQ(run.check_text, "output not written") << c.name;
        EXPECT_LE(run.bytes.size(), c.refuse_after) << c.name;
    }
}

} // namespace
} // namespace deflatetest
