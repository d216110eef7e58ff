#pragma once
// Time stamps of archive entries.
//
// An entry carries its modification time twice: as a DOS date and time, which readers show as
// the local clock time it holds, and in the "UT" extra field as seconds since 1970 UTC, which
// readers convert to their own time zone. Both ranges are narrow: the DOS fields hold 1980 to
// 2107 in steps of two seconds, and the UT field 32 signed bits.

#include <cstdint>

#include "platform/Clock.h"

// Seconds since 1970 UTC for the UT field: moments before 1970 become 1 January 1970 and moments
// after 2037 become 31 December 2037, the UTC time of day kept in both cases.
std::int32_t FileTimeToUnix(std::int64_t unixTime);

// The local clock fields as DOS date (high 16 bits) and time (low 16 bits). Dates before 1980
// become 1 January 1980 and dates after 2107 31 December 2107, the time of day kept.
std::uint32_t DosDateTimeOf(const platform::LocalDateTime& local);
