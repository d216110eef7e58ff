#include "zip/Crc32.h"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

const std::uint8_t* bytesOf(const std::string& text) {
    return reinterpret_cast<const std::uint8_t*>(text.data());
}

// The definition, one bit at a time: the oracle for the table-driven code.
std::uint32_t crcBitByBit(const std::vector<std::uint8_t>& data) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const std::uint8_t byte : data) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        }
    }
    return ~crc;
}

} // namespace

TEST(Crc32, KnownCheckValues) {
    struct Case {
        std::string text;
        std::uint32_t crc;
    };
    for (const Case& c :
         {Case{"abc", 0x352441C2}, Case{"123456789", 0xCBF43926}, Case{"", 0},
          Case{"a", 0xE8B7BE43}, Case{"The quick brown fox jumps over the lazy dog", 0x414FA339}}) {
        EXPECT_EQ(Crc32Update(0, bytesOf(c.text), c.text.size()), c.crc) << c.text;
    }
}

TEST(Crc32, NoBytesKeepTheValueAndANullPointerGivesZero) {
    const std::string abc = "abc";
    EXPECT_EQ(Crc32Update(0x352441C2, bytesOf(abc), 0), 0x352441C2u);
    EXPECT_EQ(Crc32Update(0x352441C2, nullptr, 3), 0u);
}

TEST(Crc32, PiecesInAnySplitGiveTheCrcOfTheWhole) {
    std::mt19937 random(1);
    std::vector<std::uint8_t> data(100000);
    for (auto& byte : data) {
        byte = static_cast<std::uint8_t>(random());
    }
    const std::uint32_t whole = crcBitByBit(data);
    EXPECT_EQ(Crc32Update(0, data.data(), data.size()), whole);
    for (const std::size_t piece : {1, 3, 7, 8, 9, 16384}) {
        std::uint32_t crc = 0;
        for (std::size_t at = 0; at < data.size(); at += piece) {
            crc = Crc32Update(crc, data.data() + at, std::min(piece, data.size() - at));
        }
        EXPECT_EQ(crc, whole) << "pieces of " << piece;
    }
}
