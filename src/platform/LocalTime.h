#pragma once
// Conversions between moments (seconds since 1970-01-01 00:00 UTC) and the local calendar fields
// of the process's time zone (TZ), daylight-saving time included.

#include <cstdint>

#include "platform/Clock.h"

namespace platform {

// What the local clock showed at `unixTime`.
LocalDateTime localDateTimeOf(std::int64_t unixTime);

// The moment at which the local clock shows `local`. Where the clocks change, a local time that
// occurs twice or not at all is resolved as the C library's mktime resolves it.
std::int64_t unixTimeOf(const LocalDateTime& local);

} // namespace platform
