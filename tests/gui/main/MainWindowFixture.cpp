#include "gui/main/MainWindowFixture.h"

#include <filesystem>

#include "platform/Application.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "support/FileBytes.h"

namespace guitest {

MainWindowFixture::MainWindowFixture() {
    platform::setProgramFolderForTesting(programFolder.path());
    platform::setClockForTesting([] { return platform::LocalDateTime{2024, 12, 9, 8, 5, 3}; });
    platform::application().ClearTerminateForTesting();
}

MainWindowFixture::~MainWindowFixture() {
    platform::application().ClearTerminateForTesting();
    platform::setClockForTesting({});
    platform::setProgramFolderForTesting("");
}

std::unique_ptr<TForm1> MainWindowFixture::makeForm(std::vector<Text> arguments) {
    return std::make_unique<TForm1>(nullptr, std::move(arguments));
}

void MainWindowFixture::writeSettings(const std::string& generalLines,
                                      const std::string& filesLines) {
    std::string content = "[General]\r\n" + generalLines;
    if (!filesLines.empty()) {
        content += "[Files]\r\n" + filesLines;
    }
    testsupport::writeBytes(settingsPath, content);
}

void MainWindowFixture::writeCompleteSettings(bool useLog, bool resultOnly) {
    writeSettings("FTPServer=127.0.0.1\r\nLogin=jan\r\nHeslo=aGVzbG8=\r\nProxy=0\r\nUseLog=" +
                  std::string(useLog ? "1" : "0") + "\r\nCestaLog=" + logPath +
                  "\r\nDeleteLog=" + (resultOnly ? "1" : "0") + "\r\n");
}

void MainWindowFixture::placeGpg() {
    testsupport::writeBytes(programFolder.file("gpg.exe"), "");
}

std::string MainWindowFixture::dataFile(const std::string& name, const std::string& bytes) {
    testsupport::writeBytes(programFolder.file(name), bytes);
    return programFolder.file(name);
}

std::string MainWindowFixture::logBytes() const {
    return std::filesystem::exists(logPath) ? testsupport::readBytes(logPath) : "";
}

std::string MainWindowFixture::stamped(const std::string& utf8Text) {
    return "9.12.2024 8:5:3 " + plain(utf8Text);
}

std::string MainWindowFixture::plain(const std::string& utf8Text) {
    return withCrLf(platform::cz(utf8Text) + "\n");
}

std::string MainWindowFixture::withCrLf(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return out;
}

std::string MainWindowFixture::runStart() {
    const std::string separator(53, '-');
    return plain(separator) + plain(separator) + stamped("Start ");
}

} // namespace guitest
