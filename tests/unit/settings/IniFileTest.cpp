#include "platform/IniFile.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/FileBytes.h"
#include "support/ReadOnlyFolder.h"
#include "support/TempFolder.h"

using platform::EIniFileException;
using platform::IniFile;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace fs = std::filesystem;

class Profile : public testing::Test {
protected:
    testsupport::TempFolder folder;
    const std::string path = folder.file("Settings.ini");
    IniFile ini{path};

    std::size_t entries() const {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder.path()), {}));
    }
};

struct ReadCase {
    const char* file;
    const char* section;
    const char* key;
    const char* expected; // the default is "<default>"
};
void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << testing::PrintToString(std::string(c.file)) << " " << c.section << "/" << c.key;
}

class ProfileRead : public Profile, public testing::WithParamInterface<ReadCase> {};

TEST_P(ProfileRead, FindsValuesAsTheProfileFunctionsDo) {
    writeBytes(path, GetParam().file);
    EXPECT_EQ(ini.readString(GetParam().section, GetParam().key, "<default>"), GetParam().expected)
        << GetParam().file;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, ProfileRead,
    testing::Values(
        ReadCase{"[General]\r\nLogin=jan\r\n", "General", "Login", "jan"},
        ReadCase{"[general]\r\nlogin=jan\r\n", "GENERAL", "LOGIN", "jan"}, // any letter case
        ReadCase{"[General]\nLogin=jan\n", "General", "Login", "jan"},     // LF line ends
        ReadCase{"[General]\r\nLogin=jan", "General", "Login", "jan"},     // no final line end
        ReadCase{"  [ General ]  \r\n  Login  =  jan novák \t\r\n", "General", "Login",
                 "jan novák"},
        ReadCase{"[General]\r\nLogin=\r\n", "General", "Login", ""}, // present but empty
        ReadCase{"[General]\r\nLogin=jan\r\n", "General", "Heslo", "<default>"},
        ReadCase{"[General]\r\nLogin=jan\r\n", "Files", "Login", "<default>"},
        ReadCase{"Login=jan\r\n[General]\r\n", "General", "Login", "<default>"}, // before any
        ReadCase{"[General]\r\nA=1\r\n[Files]\r\nB=2\r\n", "General", "B", "<default>"},
        ReadCase{"[General]\r\nA=1\r\nA=2\r\n[General]\r\nA=3\r\n", "General", "A", "1"},
        ReadCase{"[General]\r\nPath=C:\\a=b\r\n", "General", "Path", "C:\\a=b"},
        ReadCase{"[General]\r\nA=\"x y\"\r\n", "General", "A", "x y"}, // quotes removed
        ReadCase{"[General]\r\nA='x'\r\n", "General", "A", "x"},
        ReadCase{"[General]\r\nA=\"x\r\n", "General", "A", "\"x"}, // unmatched: kept
        ReadCase{"[General]\r\nno equals sign\r\nA=1\r\n", "General", "A", "1"},
        ReadCase{"", "General", "A", "<default>"}));

TEST_F(Profile, MissingFileGivesDefaults) {
    EXPECT_EQ(ini.readString("General", "Login", "def"), "def");
    EXPECT_EQ(ini.readInteger("General", "UseLog", 7), 7);
}

TEST_F(Profile, ReadsAtMost2047Characters) {
    writeBytes(path, "[General]\r\nLong=" + std::string(3000, 'x') + "\r\n");
    EXPECT_EQ(ini.readString("General", "Long", ""), std::string(2047, 'x'));
}

TEST_F(Profile, IntegersReadInTheirFormsAndWriteInDecimal) {
    writeBytes(path, "[General]\r\nHex=0x1F\r\nText=abc\r\nEmpty=\r\nNeg=-12\r\n");
    EXPECT_EQ(ini.readInteger("General", "Hex", 0), 31);
    EXPECT_EQ(ini.readInteger("General", "Text", 5), 5);
    EXPECT_EQ(ini.readInteger("General", "Empty", 5), 5);
    EXPECT_EQ(ini.readInteger("General", "Neg", 0), -12);
    ini.writeInteger("General", "Count", -2147483647 - 1);
    EXPECT_EQ(ini.readString("General", "Count", ""), "-2147483648");
}

TEST_F(Profile, WritesBuildTheFileInOrder) {
    ini.writeString("General", "A", "1");
    ini.writeString("Files", "File0", "x");
    ini.writeString("General", "B", "2");
    ini.writeString("general", "a", "one");
    EXPECT_EQ(readBytes(path), "[General]\r\na=one\r\nB=2\r\n[Files]\r\nFile0=x\r\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(Profile, WriteChangesOnlyItsLineAndKeepsTheRest) {
    writeBytes(path, "; comment\n[General]\nA = 1\n\nB=2\n\n[Files]\nFile0=x\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                              fs::perms::others_read);
    ini.writeString("General", "A", "changed");
    ini.writeString("General", "C", "new");
    EXPECT_EQ(
        readBytes(path),
        "; comment\r\n[General]\r\nA=changed\r\n\r\nB=2\r\nC=new\r\n\r\n[Files]\r\nFile0=x\r\n");
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                  fs::perms::others_read);
    EXPECT_EQ(entries(), 1u) << "no temporary file stays behind";
}

TEST_F(Profile, AValueCannotAddLinesOfItsOwn) {
    ini.writeString("General", "Heslo", "abc\r\nProxy=1");
    EXPECT_EQ(ini.readString("General", "Heslo", ""), "abc");
    EXPECT_EQ(ini.readString("General", "Proxy", "none"), "none");
}

TEST_F(Profile, EraseRemovesHeaderAndKeysOfEverySuchSection) {
    writeBytes(path, "[General]\r\nA=1\r\n[Files]\r\nFile0=a\r\nFile1=b\r\n[Other]\r\nX=1\r\n"
                     "[files]\r\nFile7=stale\r\n");
    ini.eraseSection("Files");
    EXPECT_EQ(readBytes(path), "[General]\r\nA=1\r\n[Other]\r\nX=1\r\n");

    const std::string before = readBytes(path);
    ini.eraseSection("Missing");
    EXPECT_EQ(readBytes(path), before);
}

TEST_F(Profile, EraseOfAMissingFileCreatesNothing) {
    ini.eraseSection("Files");
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(Profile, RefusedWriteRaisesTheMessageAndKeepsTheFile) {
    ini.writeString("General", "A", "1");
    testsupport::ReadOnlyFolder readOnly(folder.path());
    if (!readOnly.effective()) {
        GTEST_SKIP() << "cannot make a folder read-only here";
    }
    for (auto change : {+[](IniFile& f) { f.writeString("General", "B", "2"); },
                        +[](IniFile& f) { f.eraseSection("General"); }}) {
        try {
            change(ini);
            ADD_FAILURE() << "no exception";
        } catch (const EIniFileException& e) {
            EXPECT_STREQ(e.what(), ("Unable to write to " + path).c_str());
        }
    }
    EXPECT_EQ(readBytes(path), "[General]\r\nA=1\r\n");
    EXPECT_EQ(entries(), 1u);
}
