#include "zip/Crc32.h"

#include <array>

namespace {

// Slicing by eight: table[k][b] is the CRC register after byte b followed by k zero bytes, so
// eight bytes are folded with eight independent lookups instead of a chain of eight.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr CrcTables makeTables() {
    CrcTables tables{};
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        std::uint32_t crc = byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? (crc >> 1) ^ 0xEDB88320u : crc >> 1;
        }
        tables[0][byte] = crc;
    }
    for (std::size_t k = 1; k < 8; ++k) {
        for (std::size_t byte = 0; byte < 256; ++byte) {
            const std::uint32_t previous = tables[k - 1][byte];
            tables[k][byte] = (previous >> 8) ^ tables[0][previous & 0xFF];
        }
    }
    return tables;
}

constexpr CrcTables kTables = makeTables();
static_assert(kTables[0][1] == 0x77073096u, "the usual table of the reflected polynomial");

} // namespace

std::uint32_t Crc32Update(std::uint32_t crc, const std::uint8_t* bytes, std::size_t n) {
    if (bytes == nullptr) {
        return 0;
    }
    crc = ~crc;
    for (; n >= 8; n -= 8, bytes += 8) {
        const std::uint32_t low =
            crc ^ (std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                   std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24);
        crc = kTables[7][low & 0xFF] ^ kTables[6][(low >> 8) & 0xFF] ^
              kTables[5][(low >> 16) & 0xFF] ^ kTables[4][low >> 24] ^ kTables[3][bytes[4]] ^
              kTables[2][bytes[5]] ^ kTables[1][bytes[6]] ^ kTables[0][bytes[7]];
    }
    for (; n > 0; --n, ++bytes) {
        crc = kTables[0][(crc ^ *bytes) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}
