#include <gtest/gtest.h>

#include "Unitpom.h"
#include "platform/Paths.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace {

class SettingsComplete : public testing::Test {
protected:
    testsupport::TempFolder programFolder;

    void SetUp() override { platform::setProgramFolderForTesting(programFolder.path()); }
    void TearDown() override { platform::setProgramFolderForTesting(""); }

    void writeGeneral(const std::string& lines) {
        testsupport::writeBytes(programFolder.file("Settings.ini"), "[General]\r\n" + lines);
    }
};

TEST_F(SettingsComplete, WithoutSettingsIniTheSettingsAreIncomplete) {
    EXPECT_FALSE(CheckSettingsComplete());
}

TEST_F(SettingsComplete, OnlyPresenceOfTheNeededKeysCounts) {
    const std::string login = "FTPServer=ftp.example\r\nLogin=jan\r\nHeslo=aGVzbG8=\r\n";
    const struct {
        const char* name;
        std::string lines;
        bool complete;
    } cases[] = {
        {"direct, proxy keys missing", login + "Proxy=0\r\n", true},
        {"no Proxy key at all", login, false},
        {"Proxy empty", login + "Proxy=\r\n", false},
        {"FTPServer empty", "FTPServer=\r\nLogin=jan\r\nHeslo=aGVzbG8=\r\nProxy=0\r\n", false},
        {"Login missing", "FTPServer=ftp.example\r\nHeslo=aGVzbG8=\r\nProxy=0\r\n", false},
        {"Heslo missing", "FTPServer=ftp.example\r\nLogin=jan\r\nProxy=0\r\n", false},
        {"Heslo is tested as stored, even when it decodes to nothing",
         "FTPServer=ftp.example\r\nLogin=jan\r\nHeslo=====\r\nProxy=0\r\n", true},
        {"proxy on with address and port", login + "Proxy=1\r\nProxyAdresa=p\r\nProxyPort=8021\r\n",
         true},
        {"proxy on, port empty", login + "Proxy=1\r\nProxyAdresa=p\r\nProxyPort=\r\n", false},
        {"proxy on, address missing", login + "Proxy=1\r\nProxyPort=8021\r\n", false},
        {"port not checked as a number", login + "Proxy=1\r\nProxyAdresa=p\r\nProxyPort=x\r\n",
         true},
        {"00 is not the text 0, so the proxy keys are needed", login + "Proxy=00\r\n", false},
        {"00 with the proxy keys", login + "Proxy=00\r\nProxyAdresa=p\r\nProxyPort=21\r\n", true},
        {"key names in any case", "ftpserver=s\r\nLOGIN=j\r\nheslo=x\r\nproxy=0\r\n", true},
    };
    for (const auto& c : cases) {
        writeGeneral(c.lines);
        EXPECT_EQ(CheckSettingsComplete(), c.complete) << c.name;
    }
}

} // namespace
