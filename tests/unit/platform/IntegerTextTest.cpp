#include "platform/IntegerText.h"

#include <gtest/gtest.h>

struct IntegerCase {
    const char* text;
    std::optional<std::int32_t> value;
};
void PrintTo(const IntegerCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class IntegerText : public testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerText, ReadsTheAcceptedFormsOnly) {
    EXPECT_EQ(platform::parseInteger(GetParam().text), GetParam().value)
        << '"' << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Forms, IntegerText,
    testing::Values(IntegerCase{"0", 0}, IntegerCase{"42", 42}, IntegerCase{"-7", -7},
                    IntegerCase{"+7", 7}, IntegerCase{"007", 7}, IntegerCase{"  12", 12},
                    IntegerCase{"0x1F", 31}, IntegerCase{"0X1f", 31}, IntegerCase{"$1f", 31},
                    IntegerCase{"x10", 16}, IntegerCase{"X10", 16}, IntegerCase{"-$10", -16},
                    IntegerCase{"2147483647", 2147483647}, IntegerCase{"-2147483648", INT32_MIN},
                    IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"0x80000000", INT32_MIN},
                    // Refused: the caller's default applies.
                    IntegerCase{"", std::nullopt}, IntegerCase{" ", std::nullopt},
                    IntegerCase{"12 ", std::nullopt}, IntegerCase{"\t5", std::nullopt},
                    IntegerCase{"- 5", std::nullopt}, IntegerCase{"1e3", std::nullopt},
                    IntegerCase{"12a", std::nullopt}, IntegerCase{"abc", std::nullopt},
                    IntegerCase{"0x", std::nullopt}, IntegerCase{"$", std::nullopt},
                    IntegerCase{"0x-5", std::nullopt}, IntegerCase{"--5", std::nullopt},
                    IntegerCase{"2147483648", std::nullopt},
                    IntegerCase{"-2147483649", std::nullopt},
                    IntegerCase{"$100000000", std::nullopt},
                    IntegerCase{"99999999999999999999", std::nullopt}));
