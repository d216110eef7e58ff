#pragma once
// A main window in a program folder of its own, with a fixed clock and the scripted modal seam.
// Settings.ini, gpg.exe and the log live in the program folder; the data files beside them.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Umain.h"
#include "gui/support/ScriptedModal.h"
#include "support/TempFolder.h"

namespace guitest {

class MainWindowFixture : public testing::Test {
protected:
    MainWindowFixture();
    ~MainWindowFixture() override;

    testsupport::TempFolder programFolder;
    const std::string settingsPath = programFolder.file("Settings.ini");
    const std::string logPath = programFolder.file("Log.log");
    ScriptedModal modal;

    // A main window with these command-line arguments, not shown.
    std::unique_ptr<TForm1> makeForm(std::vector<Text> arguments = {});

    // Settings.ini with section General holding `generalLines` (CR LF line ends included).
    void writeSettings(const std::string& generalLines, const std::string& filesLines = "");
    // Connection settings that CheckSettingsComplete accepts, logging to logPath as chosen.
    void writeCompleteSettings(bool useLog = true, bool resultOnly = false);
    // A file gpg.exe in the program folder.
    void placeGpg();
    // A data file in the program folder; its full path.
    std::string dataFile(const std::string& name, const std::string& bytes);

    // The log's bytes; "" when there is no log.
    std::string logBytes() const;

    // A log entry stamped with the fixed clock (9.12.2024 8:5:3), and one unstamped, as the
    // file holds them: every line feed as CR LF.
    static std::string stamped(const std::string& utf8Text);
    static std::string plain(const std::string& utf8Text);
    // `bytes` with every line feed as CR LF, as text mode writes them.
    static std::string withCrLf(const std::string& bytes);
    // The two separator lines and "Start " that open every run's record.
    static std::string runStart();
};

} // namespace guitest
