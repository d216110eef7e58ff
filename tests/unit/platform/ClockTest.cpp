#include "platform/Clock.h"

#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

using namespace platform;

TEST(Clock, ReadsLocalTimeNotUniversalTime) {
    const char* saved = std::getenv("TZ");
    const std::string restore = saved ? saved : "";
    ::setenv("TZ", "XYZ-5", 1); // five hours east of UTC, no daylight saving
    ::tzset();
    const std::time_t before = std::time(nullptr);
    const LocalDateTime now = localNow();
    std::tm utc{};
    ::gmtime_r(&before, &utc);
    if (saved) {
        ::setenv("TZ", restore.c_str(), 1);
    } else {
        ::unsetenv("TZ");
    }
    ::tzset();
    const int expectedHour = (utc.tm_hour + 5) % 24;
    // A minute may tick over between the two readings; the hour moves only on the hour.
    EXPECT_TRUE(now.hour == expectedHour || now.hour == (expectedHour + 1) % 24) << now.hour;
    EXPECT_GE(now.year, 2024);
    EXPECT_GE(now.month, 1);
    EXPECT_LE(now.month, 12);
}

TEST(Clock, TestsCanSetTheTime) {
    setClockForTesting([] { return LocalDateTime{2024, 12, 9, 8, 5, 3}; });
    const LocalDateTime fake = localNow();
    setClockForTesting({});
    EXPECT_EQ(fake.year, 2024);
    EXPECT_EQ(fake.day, 9);
    EXPECT_EQ(fake.second, 3);
    EXPECT_NE(localNow().year, 0);
}
