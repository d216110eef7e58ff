// The transfer log: the entry's form, its two modes, silence on every failure, and the trim.

#include <filesystem>

#include "gui/main/MainWindowFixture.h"
#include "platform/Clock.h"
#include "support/FileBytes.h"

using platform::cz;
using testsupport::readBytes;
using testsupport::writeBytes;

namespace {

class TransferLog : public guitest::MainWindowFixture {
protected:
    std::unique_ptr<TForm1> form = makeForm();

    void enableLog(bool resultOnly = false) {
        form->LogEnabled = true;
        form->LogResultOnly = resultOnly;
        form->LogPath = logPath;
    }
};

TEST_F(TransferLog, StampHasNoLeadingZerosAndEveryLineFeedBecomesCrLf) {
    const struct {
        platform::LocalDateTime time;
        std::string text;
        std::string expected;
    } cases[] = {
        {{2024, 12, 9, 8, 5, 3}, "Start ", "9.12.2024 8:5:3 Start \r\n"},
        {{2025, 1, 1, 0, 0, 0}, "x", "1.1.2025 0:0:0 x\r\n"},
        {{2024, 12, 31, 23, 59, 59}, "x", "31.12.2024 23:59:59 x\r\n"},
        {{2024, 12, 9, 8, 5, 3}, "", "9.12.2024 8:5:3 \r\n"},
        {{2024, 12, 9, 8, 5, 3}, "a\n\nb", "9.12.2024 8:5:3 a\r\n\r\nb\r\n"},
    };
    enableLog();
    for (const auto& c : cases) {
        std::filesystem::remove(logPath);
        platform::setClockForTesting([&] { return c.time; });
        form->WriteLog(c.text, true);
        EXPECT_EQ(logBytes(), c.expected) << c.text;
    }
}

TEST_F(TransferLog, UnstampedEntriesAppendByteForByte) {
    enableLog();
    const Text czech = cz("Kontrola seznamu souborů");
    form->WriteLog("first", false);
    form->WriteLog(czech, false);
    EXPECT_EQ(logBytes(), "first\r\n" + czech + "\r\n");
}

TEST_F(TransferLog, ResultOnlyModeKeepsTheLastEntryAlone) {
    writeBytes(logPath, "old history\r\n");
    enableLog(true);
    form->WriteLog("one", true);
    form->WriteLog("two\nlines", true);
    EXPECT_EQ(logBytes(), stamped("two") + "lines\r\n");
}

TEST_F(TransferLog, NothingIsWrittenWhereTheLogCannotBe) {
    const struct {
        const char* name;
        bool enabled;
        std::string path;
    } cases[] = {
        {"log switched off", false, logPath},
        {"empty path", true, ""},
        {"folder that does not exist", true, programFolder.file("missing/Log.log")},
        {"path names a folder", true, programFolder.path()},
    };
    for (const auto& c : cases) {
        form->LogEnabled = c.enabled;
        form->LogPath = c.path;
        form->WriteLog("lost", true);
        form->TrimLog();
        EXPECT_FALSE(std::filesystem::exists(logPath)) << c.name;
        EXPECT_FALSE(std::filesystem::exists(programFolder.file("missing"))) << c.name;
    }
}

// Lines of 20 bytes (18 letters and CR LF) up to `size` bytes; the last one may be cut short.
std::string logOfSize(std::size_t size) {
    std::string log;
    for (int line = 0; log.size() < size; ++line) {
        log += std::string(18, static_cast<char>('a' + line % 26)) + "\r\n";
    }
    log.resize(size);
    return log;
}

// What the text-mode read of the last 10000 bytes delivers: each CR LF as one line feed.
std::string tailReadAsText(const std::string& log) {
    std::string tail = log.substr(log.size() - 10000);
    std::string text;
    for (std::size_t i = 0; i < tail.size(); ++i) {
        if (tail[i] == '\r' && i + 1 < tail.size() && tail[i + 1] == '\n') {
            continue;
        }
        text += tail[i];
    }
    return text;
}

const std::string kTrimMark = "\r\n-----------------------------------------\r\n";

TEST_F(TransferLog, TrimStartsAt100000BytesAndKeepsTheTextModeTail) {
    enableLog();
    const std::string below = logOfSize(99999);
    writeBytes(logPath, below);
    form->TrimLog();
    EXPECT_EQ(readBytes(logPath), below) << "99999 bytes stay as they are";

    const std::string at = logOfSize(100000);
    writeBytes(logPath, at);
    form->TrimLog();
    const std::string kept = withCrLf(tailReadAsText(at));
    EXPECT_EQ(readBytes(logPath), kept + kTrimMark);

    form->WriteLog("Start ", true);
    EXPECT_EQ(readBytes(logPath), kept + kTrimMark + stamped("Start "));
}

TEST_F(TransferLog, TrimCutsTheTailAtANulByte) {
    enableLog();
    std::string log(100000, 'x');
    log[95000] = '\0';
    writeBytes(logPath, log);
    form->TrimLog();
    EXPECT_EQ(readBytes(logPath), std::string(5000, 'x') + kTrimMark);
}

TEST_F(TransferLog, TrimLeavesAMissingLogMissing) {
    enableLog();
    form->TrimLog();
    EXPECT_FALSE(std::filesystem::exists(logPath));
}

} // namespace
