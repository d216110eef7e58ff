#pragma once
// Whole numbers written as text, read the way the original platform's string-to-integer
// conversion reads them (locale-free).

#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// Accepts leading blanks, an optional "+" or "-", then decimal digits, or hexadecimal digits
// after "$", "x", "X", "0x" or "0X". Anything else (trailing blanks included, an empty text, a
// prefix without digits) gives nullopt, and so does a decimal number outside the 32-bit signed
// range. Hexadecimal numbers may use all 32 bits: "$FFFFFFFF" is -1.
std::optional<std::int32_t> parseInteger(std::string_view text);

} // namespace platform
