#include "platform/QtText.h"

#include <gtest/gtest.h>

using platform::cz;
using platform::fromQString;
using platform::fromQStringLossy;
using platform::toQString;

TEST(QtText, EveryByteSurvivesTheRoundTrip) {
    Text all;
    for (int byte = 0; byte < 256; ++byte) {
        all += static_cast<char>(byte);
    }
    EXPECT_EQ(fromQString(toQString(all)), all);
}

TEST(QtText, CzechLettersBecomeTheirCharacters) {
    EXPECT_EQ(toQString(cz("Přidat soubor(y)")), QString::fromUtf8("Přidat soubor(y)"));
    EXPECT_EQ(fromQString(QString::fromUtf8("Uložit nastavení")), cz("Uložit nastavení"));
    EXPECT_EQ(fromQString(QString::fromUtf8("€")), Text("\x80"));
}

TEST(QtText, StrictConversionRefusesWhatTheCodePageCannotHold) {
    const struct {
        const char* name;
        QString text;
    } cases[] = {
        {"Chinese", QString::fromUtf8("/data/中文.txt")},
        {"emoji", QString::fromUtf8("/data/\xF0\x9F\x98\x80.txt")},
        {"Cyrillic", QString::fromUtf8("/data/ж.txt")},
        {"lone surrogate", QString(QChar(0xD800))},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fromQString(c.text), std::nullopt) << c.name;
    }
}

TEST(QtText, LossyConversionMarksWhatItCannotHold) {
    EXPECT_EQ(fromQStringLossy(QString::fromUtf8("a中b")), "a?b");
    EXPECT_EQ(fromQStringLossy(QString::fromUtf8("čas")), cz("čas"));
}
