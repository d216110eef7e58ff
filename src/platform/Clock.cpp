#include "platform/Clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace platform {
namespace {

std::function<LocalDateTime()>& testClock() {
    static std::function<LocalDateTime()> clock;
    return clock;
}

} // namespace

LocalDateTime localNow() {
    if (testClock()) {
        return testClock()();
    }
    const std::time_t now = std::time(nullptr);
    std::tm fields{};
    ::localtime_r(&now, &fields);
    return {fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
            fields.tm_hour,        fields.tm_min,     fields.tm_sec};
}

void setClockForTesting(std::function<LocalDateTime()> clock) {
    testClock() = std::move(clock);
}

void sleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace platform
