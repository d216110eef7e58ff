#include "platform/Text.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

using platform::cz;
using platform::fromUtf8;
using platform::fromUtf8Lossy;
using platform::toLowerCp1250;
using platform::toUtf8;

namespace {

struct CodePageOracle {
    std::vector<std::string> utf8;  // per byte: Python's cp1250 decoding as UTF-8, "" if undefined
    std::vector<std::string> lower; // per byte: Python's lower case, encoded back to cp1250
};

// Python's own cp1250 codec, an implementation independent of ours.
CodePageOracle pythonCodePage() {
    const char* script = "import sys\n"
                         "for b in range(256):\n"
                         "    try: c = bytes([b]).decode('cp1250')\n"
                         "    except UnicodeDecodeError: print('- -'); continue\n"
                         "    l = c.lower()\n"
                         "    try: lb = l.encode('cp1250')\n"
                         "    except UnicodeEncodeError: lb = bytes([b])\n"
                         "    if len(lb) != 1: lb = bytes([b])\n"
                         "    print(c.encode('utf-8').hex(), lb.hex())\n";
    const std::string command = "/usr/bin/python3 -c \"" + std::string(script) + "\"";
    FILE* pipe = ::popen(command.c_str(), "r");
    CodePageOracle oracle;
    char utf8Hex[32];
    char lowerHex[32];
    while (pipe && std::fscanf(pipe, "%31s %31s", utf8Hex, lowerHex) == 2) {
        auto unhex = [](const std::string& hex) {
            std::string bytes;
            for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
                bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
            }
            return bytes;
        };
        oracle.utf8.push_back(std::string(utf8Hex) == "-" ? "" : unhex(utf8Hex));
        oracle.lower.push_back(std::string(lowerHex) == "-" ? "" : unhex(lowerHex));
    }
    if (pipe) {
        ::pclose(pipe);
    }
    return oracle;
}

} // namespace

TEST(CodePage, EveryAssignedByteConvertsAsPythonsCodecSays) {
    const auto oracle = pythonCodePage();
    ASSERT_EQ(oracle.utf8.size(), 256u);
    for (int b = 0; b < 256; ++b) {
        if (oracle.utf8[b].empty()) {
            continue; // unassigned in the code page
        }
        const Text byte(1, static_cast<char>(b));
        EXPECT_EQ(toUtf8(byte), oracle.utf8[b]) << "byte " << b;
        EXPECT_EQ(fromUtf8(oracle.utf8[b]), byte) << "byte " << b;
        EXPECT_EQ(toLowerCp1250(byte), oracle.lower[b]) << "byte " << b;
    }
}

TEST(CodePage, EveryByteSurvivesTheRoundTrip) {
    Text all;
    for (int b = 0; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(fromUtf8(toUtf8(all)), all);
    // The unassigned bytes travel as the C1 controls of the same value, as on Windows.
    EXPECT_EQ(toUtf8("\x81"), "\xC2\x81");
}

struct StrictCase {
    const char* utf8;
    bool representable;
};
void PrintTo(const StrictCase& c, std::ostream* os) {
    *os << testing::PrintToString(std::string(c.utf8));
}

class StrictConversion : public testing::TestWithParam<StrictCase> {};

TEST_P(StrictConversion, RefusesWhatTheCodePageCannotHold) {
    const auto result = fromUtf8(GetParam().utf8);
    EXPECT_EQ(result.has_value(), GetParam().representable) << GetParam().utf8;
    if (result) {
        EXPECT_EQ(toUtf8(*result), GetParam().utf8);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrictConversion,
    testing::Values(StrictCase{"", true}, StrictCase{"C:/Data/Účetnictví/ceník.xls", true},
                    StrictCase{"Příliš žluťoučký kůň úpěl ďábelské ódy", true},
                    StrictCase{"€ „uvozovky“ – pomlčka", true},
                    StrictCase{"smørrebrød", false},     // ø is not in Windows-1250
                    StrictCase{"日本", false},           // nor is CJK
                    StrictCase{"emoji 😀", false},        // nor anything outside the BMP
                    StrictCase{"\xC3", false},           // a truncated sequence
                    StrictCase{"\xC0\xAF", false},       // an overlong "/"
                    StrictCase{"\xED\xA0\x80", false})); // a surrogate

TEST(CodePage, LossyConversionMarksWhatItCannotHold) {
    EXPECT_EQ(fromUtf8Lossy("a日b\xC3"), "a?b?");
    EXPECT_EQ(fromUtf8Lossy("Účet"), "\xDA\xE8"
                                     "et");
}

TEST(CodePage, CzechLiteralsBecomeWindows1250) {
    EXPECT_EQ(cz("Přidat soubor(y)"), "P\xF8idat soubor(y)");
    EXPECT_EQ(cz("Uložit nastavení"), "Ulo\x9Eit nastaven\xED");
    EXPECT_THROW(cz("日本"), std::logic_error);
}

TEST(CodePage, LowerCaseKnowsTheCzechCapitals) {
    EXPECT_EQ(toLowerCp1250(cz("/AUTO")), "/auto");
    EXPECT_EQ(toLowerCp1250(cz("ŘÍZENÍ ŠŤASTNĚ ŽĎÁR Ů")), cz("řízení šťastně žďár ů"));
    EXPECT_EQ(toLowerCp1250(cz("ß × 09 ~")), cz("ß × 09 ~"));
}
