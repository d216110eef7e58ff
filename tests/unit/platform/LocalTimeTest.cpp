#include "platform/LocalTime.h"

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include <gtest/gtest.h>

using namespace platform;

namespace {

// Central European time, in the POSIX form that needs no time-zone database.
class CentralEuropeanTime : public testing::Test {
protected:
    void SetUp() override {
        const char* saved = std::getenv("TZ");
        saved_ = saved ? std::optional<std::string>(saved) : std::nullopt;
        ::setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        ::tzset();
    }
    void TearDown() override {
        if (saved_) {
            ::setenv("TZ", saved_->c_str(), 1);
        } else {
            ::unsetenv("TZ");
        }
        ::tzset();
    }

private:
    std::optional<std::string> saved_;
};

} // namespace

TEST_F(CentralEuropeanTime, ConvertsBothWaysWithTheOffsetInForce) {
    struct Case {
        std::int64_t unixTime;
        LocalDateTime local;
    };
    for (const Case& c : {
             Case{1718446496, {2024, 6, 15, 12, 14, 56}}, // summer: UTC + 2
             Case{1705320000, {2024, 1, 15, 13, 0, 0}},   // winter: UTC + 1
             Case{-140000000, {1965, 7, 25, 16, 6, 40}},  // before 1970
             Case{2539000000, {2050, 6, 16, 15, 46, 40}}, // after 2038
         }) {
        const LocalDateTime local = localDateTimeOf(c.unixTime);
        EXPECT_EQ(local.year, c.local.year) << c.unixTime;
        EXPECT_EQ(local.month, c.local.month) << c.unixTime;
        EXPECT_EQ(local.day, c.local.day) << c.unixTime;
        EXPECT_EQ(local.hour, c.local.hour) << c.unixTime;
        EXPECT_EQ(local.minute, c.local.minute) << c.unixTime;
        EXPECT_EQ(local.second, c.local.second) << c.unixTime;
        EXPECT_EQ(unixTimeOf(c.local), c.unixTime);
    }
}
