#include "base64/CBase64Utils.h"

#include <string>

#include <gtest/gtest.h>

namespace {

std::string encode(const std::string& bytes) {
    CBase64Utils codec;
    return codec.Encode(bytes.data(), static_cast<std::int32_t>(bytes.size())).get();
}

struct Decoded {
    std::string bytes;
    std::int32_t errorFlag;
};

Decoded decode(const std::string& text, std::int32_t length) {
    CBase64Utils codec;
    const auto out = codec.Decode(text.data(), length);
    return {std::string(out.get(), static_cast<std::size_t>(length)), codec.ErrorFlag};
}

Decoded decode(const std::string& text) {
    return decode(text, static_cast<std::int32_t>(text.size()));
}

std::string repeat(char c, std::size_t n) {
    return std::string(n, c);
}

} // namespace

struct Vector {
    std::string bytes;
    std::string text;
};
void PrintTo(const Vector& v, std::ostream* os) {
    *os << testing::PrintToString(v.bytes);
}

class Base64Vectors : public testing::TestWithParam<Vector> {};

TEST_P(Base64Vectors, EncodeAndDecode) {
    EXPECT_EQ(encode(GetParam().bytes), GetParam().text);
    const Decoded back = decode(GetParam().text);
    EXPECT_EQ(back.bytes, GetParam().bytes);
    EXPECT_EQ(back.errorFlag, 0);
}

// RFC 4648, section 10, then the MIME line breaks after every 19th full group (RFC 2045).
INSTANTIATE_TEST_SUITE_P(
    Rfc4648AndLineBreaks, Base64Vectors,
    testing::Values(Vector{"", ""}, Vector{"f", "Zg=="}, Vector{"fo", "Zm8="},
                    Vector{"foo", "Zm9v"}, Vector{"foob", "Zm9vYg=="}, Vector{"fooba", "Zm9vYmE="},
                    Vector{"foobar", "Zm9vYmFy"}, Vector{"\xF8\xE1\x9E", "+OGe"},
                    Vector{"\xFF\xFE", "//4="}, Vector{repeat('\0', 57), repeat('A', 76) + "\r\n"},
                    Vector{repeat('\0', 58), repeat('A', 76) + "\r\nAA=="},
                    Vector{repeat('\0', 114), repeat('A', 76) + "\r\n" + repeat('A', 76) + "\r\n"},
                    Vector{repeat('\0', 56), repeat('A', 72) + "AAA="}));

TEST(Base64, EveryByteValueRoundTrips) {
    std::string all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    for (std::size_t shift = 0; shift < 3; ++shift) { // each byte in each position of a group
        const std::string bytes = all.substr(shift) + all.substr(0, shift);
        const Decoded back = decode(encode(bytes));
        EXPECT_EQ(back.bytes, bytes);
        EXPECT_EQ(back.errorFlag, 0);
    }
}

struct DecodeCase {
    std::string text;
    std::string bytes;
    std::int32_t errorFlag;
};
void PrintTo(const DecodeCase& c, std::ostream* os) {
    *os << testing::PrintToString(c.text);
}

class Base64Decoding : public testing::TestWithParam<DecodeCase> {};

TEST_P(Base64Decoding, SkipsStopsAndFinishes) {
    const Decoded back = decode(GetParam().text);
    EXPECT_EQ(back.bytes, GetParam().bytes) << GetParam().text;
    EXPECT_EQ(back.errorFlag, GetParam().errorFlag) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Base64Decoding,
    testing::Values(DecodeCase{"Zm9v=Zm9v", "foo", 0},           // stops at the first "="
                    DecodeCase{"=Zm9v", "", 0},                  // ... wherever it stands
                    DecodeCase{"Zm9v\r\nYmFy\r\n", "foobar", 0}, // CR LF inside and at the end
                    DecodeCase{"Zm\n9vYm\rFy", "foobar", 0},     // lone CR and LF too
                    DecodeCase{"Zm9v YmFy", "foobar", 1},        // a blank is a stray byte
                    DecodeCase{"Zm9v*YmFy\x80", "foobar", 1},    // so is anything else
                    DecodeCase{std::string("Zm9v\0YmFy", 9), "foobar", 1},
                    DecodeCase{"Zm8", "fo", 0}, // missing padding
                    DecodeCase{"Zg", "f", 0},
                    DecodeCase{"Zm9vY", "foo`", 0}, // a single leftover: 6 bits + 00
                    DecodeCase{"Zh==", "f", 0},     // bits beyond the byte dropped
                    DecodeCase{"", "", 0}));

TEST(Base64, DecodeReadsNoMoreThanTheGivenLength) {
    EXPECT_EQ(decode("Zm9vYmFy", 4).bytes, "foo");
    EXPECT_EQ(decode("Zm9vYmFy", 0).bytes, "");
}

TEST(Base64, ResultsAreZeroTerminated) {
    CBase64Utils codec;
    const auto text = codec.Encode("fo", 2);
    EXPECT_STREQ(text.get(), "Zm8=");
    std::int32_t length = 4;
    const auto bytes = codec.Decode("Zm8=", length);
    EXPECT_EQ(length, 2);
    EXPECT_STREQ(bytes.get(), "fo");
}

TEST(Base64, ErrorFlagStaysSetForTheInstance) {
    CBase64Utils codec;
    std::int32_t length = 5;
    codec.Decode("Zm 9v", length);
    EXPECT_EQ(codec.ErrorFlag, 1);
    length = 4;
    codec.Decode("Zm9v", length);
    EXPECT_EQ(codec.ErrorFlag, 1);
}
