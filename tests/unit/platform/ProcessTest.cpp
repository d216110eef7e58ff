#include "platform/Process.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "support/FileBytes.h"
#include "support/TempFolder.h"

using platform::runAndWait;
using testsupport::readBytes;

TEST(Process, ReturnsTheExitCode) {
    EXPECT_EQ(runAndWait("/bin/sh", {"-c", "exit 3"}), 3);
    EXPECT_EQ(runAndWait("/bin/true", {}), 0);
    EXPECT_EQ(runAndWait("/bin/sh", {"-c", "kill -9 $$"}), 128 + 9);
}

TEST(Process, PassesArgumentsSeparatelyAndInUtf8) {
    testsupport::TempFolder folder;
    const std::string out = folder.file("args");
    EXPECT_EQ(runAndWait("/bin/sh", {"-c", "printf '%s|' \"$@\" > \"$0\"", out, "-r", "a b",
                                     "\"quoted\"", platform::cz("Příloha.zip"), ""}),
              0);
    EXPECT_EQ(readBytes(out), "-r|a b|\"quoted\"|Příloha.zip||");
}

TEST(Process, InheritsEnvironmentAndStandardHandles) {
    testsupport::TempFolder folder;
    const std::string out = folder.file("stdout");
    ::setenv("SENDER_PROBE", "inherited", 1);
    std::fflush(stdout);
    const int saved = ::dup(STDOUT_FILENO);
    const int file = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ::dup2(file, STDOUT_FILENO);
    ::close(file);
    const auto code = runAndWait("/bin/sh", {"-c", "echo \"$SENDER_PROBE\""});
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    ::unsetenv("SENDER_PROBE");
    EXPECT_EQ(code, 0);
    EXPECT_EQ(readBytes(out), "inherited\n");
}

TEST(Process, ReportsAProgramThatCannotStart) {
    testsupport::TempFolder folder;
    EXPECT_EQ(runAndWait(folder.file("gpg.exe"), {"-r", "x"}), std::nullopt);
    testsupport::writeBytes(folder.file("plain"), "not a program");
    ::chmod(folder.file("plain").c_str(), 0644);
    EXPECT_EQ(runAndWait(folder.file("plain"), {}), std::nullopt);
    EXPECT_EQ(runAndWait(folder.path(), {}), std::nullopt);
}
