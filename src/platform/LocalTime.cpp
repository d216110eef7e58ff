#include "platform/LocalTime.h"

#include <ctime>

namespace platform {

LocalDateTime localDateTimeOf(std::int64_t unixTime) {
    const std::time_t moment = unixTime;
    std::tm fields{};
    ::localtime_r(&moment, &fields);
    return {fields.tm_year + 1900, fields.tm_mon + 1, fields.tm_mday,
            fields.tm_hour,        fields.tm_min,     fields.tm_sec};
}

std::int64_t unixTimeOf(const LocalDateTime& local) {
    std::tm fields{};
    fields.tm_year = local.year - 1900;
    fields.tm_mon = local.month - 1;
    fields.tm_mday = local.day;
    fields.tm_hour = local.hour;
    fields.tm_min = local.minute;
    fields.tm_sec = local.second;
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

} // namespace platform
