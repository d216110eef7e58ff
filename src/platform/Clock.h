#pragma once
// Local date and time as calendar fields, for log stamps and dated names.

#include <functional>

namespace platform {

struct LocalDateTime {
    int year = 0;   // four digits, e.g. 2024
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;   // 0..23
    int minute = 0; // 0..59
    int second = 0; // 0..59 (60 in a leap second)
};

// The local date and time now, or what the test clock says.
LocalDateTime localNow();

// Replaces the clock for tests; an empty function restores the real one.
void setClockForTesting(std::function<LocalDateTime()> clock);

// Blocks the calling thread for `milliseconds`.
void sleepMilliseconds(int milliseconds);

} // namespace platform
