#include "zip/ZipTimes.h"

#include <gtest/gtest.h>

TEST(ZipTimes, UnixTimesOutsideTheFieldAreClampedKeepingTheTimeOfDay) {
    struct Case {
        std::int64_t unixTime;
        std::int32_t stored;
    };
    for (const Case& c : {
             Case{1718446496, 1718446496}, // 2024-06-15 10:14:56 UTC, unchanged
             Case{0, 0},                   // 1970-01-01 00:00:00
             Case{-140000000, 54400},      // 1965-07-25 15:06:40 → 1970-01-01 15:06:40
             Case{-1, 86399},              // 1969-12-31 23:59:59 → 1970-01-01 23:59:59
             Case{2145916799, 2145916799}, // 2037-12-31 23:59:59, the last moment kept
             Case{2145916800, 2145830400}, // 2038-01-01 00:00:00 → 2037-12-31 00:00:00
             Case{2539000000, 2145880000}, // 2050-06-16 13:46:40 → 2037-12-31 13:46:40
         }) {
        EXPECT_EQ(FileTimeToUnix(c.unixTime), c.stored) << c.unixTime;
    }
}

TEST(ZipTimes, DosFieldsHoldTheLocalClockFrom1980To2107) {
    struct Case {
        platform::LocalDateTime local;
        std::uint32_t dos;
    };
    for (const Case& c : {
             Case{{2024, 6, 15, 12, 14, 56}, 0x58CF61DC}, // seconds halved
             Case{{1980, 1, 1, 0, 0, 0}, 0x00210000},
             Case{{1965, 7, 25, 16, 6, 41}, 0x002180D4}, // date clamped, time of day kept
             Case{{2107, 12, 31, 23, 59, 58}, 0xFF9FBF7D},
             Case{{2150, 3, 1, 1, 2, 4}, 0xFF9F0842},      // after 2107: its last day
             Case{{2016, 12, 31, 23, 59, 60}, 0x499FBF7D}, // a leap second stays in its minute
         }) {
        EXPECT_EQ(DosDateTimeOf(c.local), c.dos) << std::hex << c.dos;
    }
}
