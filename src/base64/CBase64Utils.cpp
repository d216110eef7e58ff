#include "base64/CBase64Utils.h"

#include <array>

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr int kLineLength = 76; // RFC 2045: encoded lines are at most 76 characters
constexpr std::uint8_t kOutside = 0xFF;

// Byte → 6-bit value, kOutside for every byte outside the alphabet ("=", CR, LF, 0x80.. too).
constexpr std::array<std::uint8_t, 256> makeDecodeTable() {
    std::array<std::uint8_t, 256> table{};
    table.fill(kOutside);
    for (std::uint8_t i = 0; i < 64; ++i) {
        table[static_cast<unsigned char>(kAlphabet[i])] = i;
    }
    return table;
}
constexpr auto kDecodeTable = makeDecodeTable();

} // namespace

std::unique_ptr<char[]> CBase64Utils::Encode(const char* data, std::int32_t length) {
    const std::int32_t bytes = length > 0 ? length : 0;
    const std::int32_t q = bytes * 4 / 3;
    auto out = std::make_unique<char[]>(static_cast<std::size_t>(q + 2 * (q / kLineLength) + 10));
    const auto* in = reinterpret_cast<const unsigned char*>(data);
    std::size_t pos = 0;
    int column = 0;
    std::int32_t i = 0;
    for (; i + 3 <= bytes; i += 3) {
        const std::uint32_t group = (in[i] << 16) | (in[i + 1] << 8) | in[i + 2];
        out[pos++] = kAlphabet[(group >> 18) & 0x3F];
        out[pos++] = kAlphabet[(group >> 12) & 0x3F];
        out[pos++] = kAlphabet[(group >> 6) & 0x3F];
        out[pos++] = kAlphabet[group & 0x3F];
        column += 4;
        if (column >= kLineLength) {
            out[pos++] = '\r';
            out[pos++] = '\n';
            column = 0;
        }
    }
    const std::int32_t rest = bytes - i;
    if (rest > 0) {
        const std::uint32_t group = (in[i] << 16) | (rest == 2 ? in[i + 1] << 8 : 0);
        out[pos++] = kAlphabet[(group >> 18) & 0x3F];
        out[pos++] = kAlphabet[(group >> 12) & 0x3F];
        out[pos++] = rest == 2 ? kAlphabet[(group >> 6) & 0x3F] : '=';
        out[pos++] = '=';
    }
    return out;
}

std::unique_ptr<char[]> CBase64Utils::Decode(const char* text, std::int32_t& length) {
    const std::int32_t available = length > 0 ? length : 0;
    auto out = std::make_unique<char[]>(static_cast<std::size_t>(available) + 1);
    std::size_t pos = 0;
    std::uint32_t group = 0;
    int pending = 0; // alphabet characters in `group`
    for (std::int32_t i = 0; i < available && text[i] != '='; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::uint8_t value = kDecodeTable[c];
        if (value == kOutside) {
            if (c != '\r' && c != '\n') {
                ErrorFlag = 1;
            }
            continue;
        }
        group = (group << 6) | value;
        if (++pending == 4) {
            out[pos++] = static_cast<char>(group >> 16);
            out[pos++] = static_cast<char>(group >> 8);
            out[pos++] = static_cast<char>(group);
            group = 0;
            pending = 0;
        }
    }
    // The final partial group; bits beyond the last whole byte are dropped.
    if (pending == 1) {
        out[pos++] = static_cast<char>(group << 2);
    } else if (pending == 2) {
        out[pos++] = static_cast<char>(group >> 4);
    } else if (pending == 3) {
        out[pos++] = static_cast<char>(group >> 10);
        out[pos++] = static_cast<char>(group >> 2);
    }
    length = static_cast<std::int32_t>(pos);
    return out;
}
