#include "zip/ZipTimes.h"

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kFirstOf2038 = 2145916800;   // 2038-01-01 00:00:00 UTC
constexpr std::int64_t kLastDayOf2037 = 2145830400; // 2037-12-31 00:00:00 UTC

std::int64_t timeOfDay(std::int64_t unixTime) {
    const std::int64_t rest = unixTime % kSecondsPerDay;
    return rest < 0 ? rest + kSecondsPerDay : rest;
}

} // namespace

std::int32_t FileTimeToUnix(std::int64_t unixTime) {
    if (unixTime < 0) {
        return static_cast<std::int32_t>(timeOfDay(unixTime));
    }
    if (unixTime >= kFirstOf2038) {
        return static_cast<std::int32_t>(kLastDayOf2037 + timeOfDay(unixTime));
    }
    return static_cast<std::int32_t>(unixTime);
}

std::uint32_t DosDateTimeOf(const platform::LocalDateTime& local) {
    int year = local.year;
    int month = local.month;
    int day = local.day;
    if (year < 1980) {
        year = 1980, month = 1, day = 1;
    } else if (year > 2107) {
        year = 2107, month = 12, day = 31;
    }
    const auto date = static_cast<std::uint32_t>((year - 1980) << 9 | month << 5 | day);
    // A leap second (60) would spill into the minutes.
    const int second = local.second > 59 ? 59 : local.second;
    const auto time = static_cast<std::uint32_t>(local.hour << 11 | local.minute << 5 | second / 2);
    return date << 16 | time;
}
