#include "platform/Clock.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "platform/LocalTime.h"

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
    return localDateTimeOf(std::time(nullptr));
}

void setClockForTesting(std::function<LocalDateTime()> clock) {
    testClock() = std::move(clock);
}

void sleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace platform
