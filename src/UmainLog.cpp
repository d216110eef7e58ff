// The transfer log: one entry per WriteLog, the file opened and closed each time so that every
// line is on disk when the call returns; a trim at the start of a run keeps it small. Nothing
// here ever reports a failure: a lost entry must not change the run.

#include <array>
#include <cstring>
#include <string>

#include "Umain.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/TextFile.h"

using platform::TextFile;

namespace {

// A log of this size or more is cut at the start of the next run...
constexpr std::int64_t kTrimThreshold = 100000;
// ... to at most this many bytes of its end.
constexpr std::size_t kKeptTail = 10000;
static_assert(kKeptTail < kTrimThreshold);

// D.M.YYYY h:m:s, no leading zeros, then the blank before the text.
Text stampNow() {
    const auto now = platform::localNow();
    const auto n = [](int value) { return std::to_string(value); };
    return n(now.day) + "." + n(now.month) + "." + n(now.year) + " " + n(now.hour) + ":" +
           n(now.minute) + ":" + n(now.second) + " ";
}

} // namespace

void TForm1::WriteLog(Text text, bool stamp) {
    if (!LogEnabled) {
        return;
    }
    auto file =
        TextFile::open(LogPath, LogResultOnly ? TextFile::Mode::Truncate : TextFile::Mode::Append);
    if (!file) {
        return;
    }
    if (stamp) {
        text.insert(0, stampNow());
    }
    text += '\n';
    file->write(text);
    file->close();
}

void TForm1::TrimLog() {
    if (!platform::fileExists(LogPath)) {
        return;
    }
    auto file = TextFile::open(LogPath, TextFile::Mode::Read);
    if (!file || !file->seek(0, TextFile::Origin::End)) {
        return;
    }
    const std::int64_t size = file->tell();
    if (size < kTrimThreshold) {
        return;
    }
    std::array<char, kKeptTail> buffer;
    if (!file->seek(size - static_cast<std::int64_t>(kKeptTail), TextFile::Origin::Begin)) {
        return;
    }
    // Text mode: each CR LF arrives as one line feed, so fewer bytes may come.
    const std::size_t read = file->read(buffer.data(), buffer.size());
    file->close();
    if (read == 0) {
        return;
    }
    const auto* nul = static_cast<const char*>(std::memchr(buffer.data(), '\0', read));
    const Text tail(buffer.data(), nul ? static_cast<std::size_t>(nul - buffer.data()) : read);

    auto rewritten = TextFile::open(LogPath, TextFile::Mode::Truncate);
    if (!rewritten) {
        return;
    }
    rewritten->write(tail);
    rewritten->write("\n-----------------------------------------\n");
    rewritten->close();
}
