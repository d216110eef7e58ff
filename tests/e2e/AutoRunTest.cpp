// The real program started with /auto in a temporary program folder, with no display: it must
// end by itself and leave its record in the log.

#include <filesystem>
#include <regex>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "platform/Process.h"
#include "platform/Text.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

using platform::cz;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace fs = std::filesystem;

namespace {

class UnattendedProgram : public testing::Test {
protected:
    testsupport::TempFolder folder;
    const std::string program = folder.file("Projekt");
    const std::string logPath = folder.file("Log.log");

    void SetUp() override {
        fs::copy_file(SENDER_PROJEKT, program);
        fs::create_symlink(SENDER_GPG, folder.file("gpg.exe"));
    }

    void writeSettings(const std::string& files) {
        writeBytes(folder.file("Settings.ini"),
                   "[General]\r\nFTPServer=127.0.0.1\r\nLogin=jan\r\nHeslo=aGVzbG8=\r\nProxy=0\r\n"
                   "UseLog=1\r\nCestaLog=" +
                       logPath + "\r\nDeleteLog=0\r\n" + files);
    }

    // Starts the copy as cron would: no display, no platform chosen, a time limit.
    int run(const std::vector<Text>& arguments) {
        std::vector<Text> command = {"-u",   "DISPLAY",         "-u",      "WAYLAND_DISPLAY",
                                     "-u",   "QT_QPA_PLATFORM", "timeout", "60",
                                     program};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return platform::runAndWait("/usr/bin/env", command).value_or(-1);
    }

    // The log's lines with their time stamps checked and taken off.
    std::vector<std::string> logLines() const {
        const std::regex stamp(R"(^\d{1,2}\.\d{1,2}\.\d{4} \d{1,2}:\d{1,2}:\d{1,2} )");
        std::vector<std::string> lines;
        std::istringstream log(readBytes(logPath));
        for (std::string line; std::getline(log, line);) {
            EXPECT_TRUE(line.ends_with('\r')) << line;
            line.pop_back();
            std::smatch found;
            lines.push_back(std::regex_search(line, found, stamp) ? "@ " + found.suffix().str()
                                                                  : line);
        }
        return lines;
    }

    static std::vector<std::string> runStart() {
        const std::string separator(53, '-');
        return {separator, separator, "@ Start ", cz("@ Kontrola nastavení"), "@ Kontrola GNU PG"};
    }
};

TEST_F(UnattendedProgram, ChecksTheListStoresItAndEnds) {
    const std::string a = folder.file("a.dat");
    writeBytes(a, "data");
    writeSettings("PocetSouboru=1\r\n[Files]\r\nFile0=" + a + "\r\n");
    EXPECT_EQ(run({"/auto"}), 0);
    auto expected = runStart();
    expected.push_back(cz("@ Kontrola seznamu souborů"));
    EXPECT_EQ(logLines(), expected);
    EXPECT_EQ(readBytes(folder.file("Settings.ini")),
              "[General]\r\nFTPServer=127.0.0.1\r\nLogin=jan\r\nHeslo=aGVzbG8=\r\nProxy=0\r\n"
              "UseLog=1\r\nCestaLog=" +
                  logPath + "\r\nDeleteLog=0\r\nPocetSouboru=1\r\n[Files]\r\nFile0=" + a + "\r\n");
}

TEST_F(UnattendedProgram, EndsAfterAFailedCheckWithoutABox) {
    writeSettings("PocetSouboru=0\r\n");
    EXPECT_EQ(run({"report", "/AUTO"}), 0);
    auto expected = runStart();
    expected.push_back(cz("@ Kontrola seznamu souborů"));
    expected.push_back(cz("@ V seznamu nejsou žádné soubory."));
    EXPECT_EQ(logLines(), expected);
}

TEST_F(UnattendedProgram, FindsNoGpgWhereThereIsNone) {
    fs::remove(folder.file("gpg.exe"));
    writeSettings("");
    EXPECT_EQ(run({"-auto"}), 0);
    auto expected = runStart();
    expected.push_back(cz("@ Program \"gpg.exe\" nebyl nalezen v adresáři aplikace."));
    EXPECT_EQ(logLines(), expected);
}

TEST_F(UnattendedProgram, WithoutADisplayAnInteractiveStartEndsAtOnceWithAnError) {
    writeSettings("");
    EXPECT_EQ(run({}), 1);
    EXPECT_FALSE(fs::exists(logPath));
}

} // namespace
