#pragma once
// The CRC-32 of the ZIP format: reflected polynomial 0xEDB88320, complemented before and after.

#include <cstddef>
#include <cstdint>

// Folds `n` bytes into `crc`, the CRC-32 of the bytes before them (0 for none), so that calls over
// consecutive ranges give the CRC-32 of the whole. A null pointer gives 0.
std::uint32_t Crc32Update(std::uint32_t crc, const std::uint8_t* bytes, std::size_t n);
