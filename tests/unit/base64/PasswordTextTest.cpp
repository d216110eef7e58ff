#include "base64/PasswordText.h"

#include <gtest/gtest.h>

using platform::cz;

TEST(PasswordText, LongPasswordsStoreOnOneLineAndReadBack) {
    for (const std::size_t length : {0u, 1u, 56u, 57u, 58u, 60u, 200u}) {
        Text password;
        for (std::size_t i = 0; i < length; ++i) {
            password += static_cast<char>(1 + (i * 37) % 255); // every byte but zero
        }
        const Text stored = EncodePasswordForSettings(password);
        EXPECT_EQ(stored.find_first_of("\r\n"), Text::npos) << length;
        EXPECT_EQ(stored.size(), (length + 2) / 3 * 4) << length;
        EXPECT_EQ(DecodePasswordFromSettings(stored), password) << length;
    }
}

TEST(PasswordText, CzechPasswordsRoundTrip) {
    const Text password = cz("Příliš žluťoučký kůň");
    EXPECT_EQ(DecodePasswordFromSettings(EncodePasswordForSettings(password)), password);
}

TEST(PasswordText, ValuesWithLineBreaksStillDecode) {
    const Text withBreak = Text(76, 'A') + "\r\nAA==";
    EXPECT_EQ(DecodePasswordFromSettings("cGFzcw\r\n=="), "pass");
    EXPECT_EQ(DecodePasswordFromSettings(withBreak).size(), 0u) << "zero bytes end the text";
    EXPECT_EQ(DecodePasswordFromSettings(""), "");
}

TEST(PasswordText, DecodedTextEndsAtTheFirstZeroByte) {
    EXPECT_EQ(DecodePasswordFromSettings("YQBi"), "a"); // 61 00 62
}
