#include "Unitpom.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/Paths.h"
#include "support/FileBytes.h"
#include "support/ReadOnlyFolder.h"
#include "support/TempFolder.h"

using platform::cz;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace fs = std::filesystem;

// Each test has a program folder of its own.
class SettingsStore : public testing::Test {
protected:
    testsupport::TempFolder programFolder;
    const std::string settingsPath = programFolder.file("Settings.ini");

    void SetUp() override { platform::setProgramFolderForTesting(programFolder.path()); }
    void TearDown() override { platform::setProgramFolderForTesting(""); }
};

TEST_F(SettingsStore, LivesInTheProgramFolder) {
    EXPECT_EQ(SettingsFilePath(), settingsPath);
}

TEST_F(SettingsStore, WithoutTheFileEveryReadGivesItsDefault) {
    EXPECT_EQ(ReadSetting("", "FTPServer", "default.server"), "default.server");
    EXPECT_EQ(ReadSetting("Files", "File0", ""), "");
    EXPECT_EQ(ReadSettingInt("PocetSouboru", 0), 0);
    EXPECT_EQ(ReadSettingInt("UseLog", -3), -3);
    EraseSettingsSection("Files");
    EXPECT_FALSE(fs::exists(settingsPath));
}

TEST_F(SettingsStore, FirstWriteCreatesTheFileInTheProgramFolderNotTheCurrentOne) {
    const auto previous = fs::current_path();
    testsupport::TempFolder elsewhere;
    fs::current_path(elsewhere.path());
    WriteSetting("", "Login", "jan");
    fs::current_path(previous);
    EXPECT_EQ(readBytes(settingsPath), "[General]\r\nLogin=jan\r\n");
    EXPECT_FALSE(fs::exists(elsewhere.file("Settings.ini")));
}

TEST_F(SettingsStore, EmptySectionMeansGeneral) {
    WriteSetting("", "A", "from empty");
    WriteSetting("General", "B", "from General");
    EXPECT_EQ(ReadSetting("General", "A", ""), "from empty");
    EXPECT_EQ(ReadSetting("", "B", ""), "from General");
    EXPECT_EQ(ReadSetting("", "Missing", "def"), "def");
}

TEST_F(SettingsStore, IntegersInEveryForm) {
    writeBytes(settingsPath, "[General]\r\nHex=0x1F\r\nDollar=$10\r\nNeg=-5\r\nText=abc\r\n"
                             "Empty=\r\nProxy=00\r\n[Files]\r\nOther=9\r\n");
    EXPECT_EQ(ReadSettingInt("Hex", 0), 31);
    EXPECT_EQ(ReadSettingInt("Dollar", 0), 16);
    EXPECT_EQ(ReadSettingInt("Neg", 0), -5);
    EXPECT_EQ(ReadSettingInt("Text", 4), 4);
    EXPECT_EQ(ReadSettingInt("Empty", 4), 4);
    EXPECT_EQ(ReadSettingInt("Other", 4), 4) << "only section General";
    // Proxy as 00: the text is not "0", while the integer is 0.
    EXPECT_EQ(ReadSetting("", "Proxy", ""), "00");
    EXPECT_EQ(ReadSettingInt("Proxy", 1), 0);

    WriteSettingInt("UseLog", 1);
    WriteSettingInt("Offset", -12);
    EXPECT_EQ(ReadSetting("", "UseLog", ""), "1");
    EXPECT_EQ(ReadSetting("", "Offset", ""), "-12");
}

TEST_F(SettingsStore, AListOfTwoWrittenAfterOneOfFive) {
    auto saveList = [](int count) {
        EraseSettingsSection("Files");
        WriteSetting("", "PocetSouboru", std::to_string(count));
        for (int i = 0; i < count; ++i) {
            WriteSetting("Files", "File" + std::to_string(i), "/data/" + std::to_string(i));
        }
    };
    saveList(5);
    saveList(2);
    EXPECT_EQ(readBytes(settingsPath),
              "[General]\r\nPocetSouboru=2\r\n[Files]\r\nFile0=/data/0\r\nFile1=/data/1\r\n");
    EXPECT_EQ(ReadSettingInt("PocetSouboru", 0), 2);
    EXPECT_EQ(ReadSetting("Files", "File2", "gone"), "gone");
}

TEST_F(SettingsStore, ReadsTheFileTheWindowsProgramWrote) {
    fs::copy_file(SENDER_FIXTURES_DIR "/settings/windows-Settings.ini", settingsPath);
    EXPECT_EQ(ReadSetting("", "FTPServer", ""), "ftp.daloma.cz");
    EXPECT_EQ(ReadSetting("", "Login", ""), cz("novák"));
    EXPECT_EQ(ReadSetting("", "Heslo", ""), "VGFqbulIZXNsbw==");
    EXPECT_EQ(ReadSetting("", "ProxyLogin", ""), cz("brána"));
    EXPECT_EQ(ReadSetting("", "ProxyPort", ""), "8021");
    EXPECT_EQ(ReadSetting("", "CestaLog", ""), "C:\\Program Files\\Daloma\\Log.log");
    EXPECT_EQ(ReadSetting("", "FilesMoveToDir", ""), cz("D:\\Archiv\\Odeslané\\"));
    EXPECT_EQ(ReadSettingInt("FilesMoveTo", 0), 2);
    EXPECT_EQ(ReadSettingInt("PocetSouboru", 0), 3);
    EXPECT_EQ(ReadSetting("Files", "File0", ""), cz("C:\\Data\\Účetnictví\\faktury.dbf"));
    EXPECT_EQ(ReadSetting("Files", "File1", ""), cz("C:\\Data\\Účetnictví\\sklad.dbf"));
    EXPECT_EQ(ReadSetting("Files", "File2", ""), cz("C:\\Data\\Přílohy\\ceník.xls"));

    // A change touches its own line only; the file keeps its Windows form.
    const std::string before = readBytes(settingsPath);
    WriteSetting("", "Login", cz("jiný"));
    std::string expected = before;
    expected.replace(expected.find("Login = nov\xE1k"), 13, "Login=jin\xFD");
    EXPECT_EQ(readBytes(settingsPath), expected);
}

TEST_F(SettingsStore, RefusedWriteNamesTheFullPathAndKeepsEarlierValues) {
    WriteSetting("", "FTPServer", "ftp.example.org");
    testsupport::ReadOnlyFolder readOnly(programFolder.path());
    if (!readOnly.effective()) {
        GTEST_SKIP() << "cannot make a folder read-only here";
    }
    try {
        WriteSetting("", "Login", "jan");
        FAIL() << "no exception";
    } catch (const platform::EIniFileException& e) {
        EXPECT_EQ(e.message(), "Unable to write to " + settingsPath);
    }
    EXPECT_THROW(WriteSettingInt("UseLog", 1), platform::EIniFileException);
    EXPECT_THROW(EraseSettingsSection("General"), platform::EIniFileException);
    EXPECT_EQ(ReadSetting("", "FTPServer", ""), "ftp.example.org");
    EXPECT_EQ(ReadSetting("", "Login", "none"), "none");
}
