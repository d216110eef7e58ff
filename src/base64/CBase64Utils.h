#pragma once
// Base64 codec of the stored passwords: the alphabet and padding of RFC 4648, section 4, with
// the line breaking of MIME (RFC 2045, section 6.8): CR LF after every 76 characters.

#include <cstdint>
#include <memory>

class CBase64Utils {
public:
    // 0 until `Decode` skips an input character outside the alphabet that is neither CR nor LF;
    // then 1 for the rest of the instance's life.
    std::int32_t ErrorFlag = 0;

    // The Base64 text of `length` bytes at `data` (null only with `length` 0), as a new
    // zero-terminated buffer of (length × 4) / 3 + 2 × (that / 76) + 10 bytes. A CR LF follows
    // every 19th complete group of three bytes, also at the very end; the final one or two bytes
    // give two or three characters and "==" or "=". An empty input gives the empty text.
    std::unique_ptr<char[]> Encode(const char* data, std::int32_t length);

    // Decodes up to `length` characters of `text`, stopping at the first "=". Characters outside
    // the alphabet are skipped (all but CR and LF set ErrorFlag); missing padding is accepted; a
    // single leftover character gives one byte of its six bits followed by two zero bits.
    // Returns a new zero-filled buffer of `length` + 1 bytes; `length` receives the number of
    // bytes decoded.
    std::unique_ptr<char[]> Decode(const char* text, std::int32_t& length);
};
