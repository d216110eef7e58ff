#include "platform/IniFile.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/IntegerText.h"

namespace platform {
namespace {

using Lines = std::vector<Text>;

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && toLowerCp1250(a) == toLowerCp1250(b);
}

// The section name of a header line, or nullopt for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
    const auto content = trimmed(line);
    if (content.empty() || content.front() != '[') {
        return std::nullopt;
    }
    const auto close = content.find(']');
    return trimmed(content.substr(1, close == std::string_view::npos ? close : close - 1));
}

struct KeyLine {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyLine> keyLine(std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos || sectionName(line)) {
        return std::nullopt;
    }
    return KeyLine{trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1))};
}

// The whole file, or nullopt when it does not exist or cannot be read.
std::optional<std::string> readFile(const Text& path) {
    const int fd = ::open(toUtf8(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string content;
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return content;
}

Lines splitLines(const std::string& content) {
    Lines lines;
    std::size_t start = 0;
    while (start < content.size()) {
        auto end = content.find('\n', start);
        if (end == std::string::npos) {
            end = content.size();
        }
        std::string_view line(content.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        start = end + 1;
    }
    return lines;
}

// Lines of the file for a change: empty for a missing file; an unreadable file refuses the change
// instead of being replaced by an empty one.
Lines linesForChange(const Text& path) {
    if (auto content = readFile(path)) {
        return splitLines(*content);
    }
    if (errno != ENOENT) {
        throw EIniFileException("Unable to write to " + path);
    }
    return {};
}

bool writeAll(int fd, const std::string& data) {
    std::size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Replaces the file by `lines` through a temporary file in the same folder.
void replaceFile(const Text& path, const Lines& lines) {
    std::string content;
    for (const Text& line : lines) {
        content += line;
        content += "\r\n";
    }
    const std::string target = toUtf8(path);
    struct stat old {};
    const bool existed = ::stat(target.c_str(), &old) == 0;
    // A file that the platform would refuse to write stays as it is.
    if (existed && ::access(target.c_str(), W_OK) != 0) {
        throw EIniFileException("Unable to write to " + path);
    }
    std::string temporary = target + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC); // created with mode 0600
    if (fd < 0) {
        throw EIniFileException("Unable to write to " + path);
    }
    bool ok = writeAll(fd, content) && (!existed || ::fchmod(fd, old.st_mode & 07777) == 0) &&
              ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        throw EIniFileException("Unable to write to " + path);
    }
}

// Index of the header of the first section named `section`, or nullopt.
std::optional<std::size_t> findSection(const Lines& lines, const Text& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = sectionName(lines[i]);
        if (name && sameName(*name, section)) {
            return i;
        }
    }
    return std::nullopt;
}

// One past the last line of the section whose header is at `header`.
std::size_t sectionEnd(const Lines& lines, std::size_t header) {
    std::size_t i = header + 1;
    while (i < lines.size() && !sectionName(lines[i])) {
        ++i;
    }
    return i;
}

} // namespace

Text IniFile::readString(const Text& section, const Text& key, const Text& defaultValue) const {
    const auto content = readFile(path_);
    if (!content) {
        return defaultValue;
    }
    const Lines lines = splitLines(*content);
    const auto header = findSection(lines, section);
    if (!header) {
        return defaultValue;
    }
    const std::size_t end = sectionEnd(lines, *header);
    for (std::size_t i = *header + 1; i < end; ++i) {
        const auto entry = keyLine(lines[i]);
        if (!entry || !sameName(entry->key, key)) {
            continue;
        }
        std::string_view value = entry->value;
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        return Text(value.substr(0, kMaxValueLength));
    }
    return defaultValue;
}

std::int32_t IniFile::readInteger(const Text& section, const Text& key,
                                  std::int32_t defaultValue) const {
    return parseInteger(readString(section, key, Text{})).value_or(defaultValue);
}

void IniFile::writeString(const Text& section, const Text& key, const Text& value) {
    Lines lines = linesForChange(path_);
    const Text line = key + "=" + value.substr(0, value.find_first_of("\r\n"));
    const auto header = findSection(lines, section);
    if (!header) {
        lines.push_back("[" + section + "]");
        lines.push_back(line);
        replaceFile(path_, lines);
        return;
    }
    const std::size_t end = sectionEnd(lines, *header);
    std::size_t insertAt = *header + 1;
    for (std::size_t i = *header + 1; i < end; ++i) {
        const auto entry = keyLine(lines[i]);
        if (entry && sameName(entry->key, key)) {
            lines[i] = line;
            replaceFile(path_, lines);
            return;
        }
        if (!trimmed(lines[i]).empty()) {
            insertAt = i + 1; // after the section's last non-blank line
        }
    }
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
    replaceFile(path_, lines);
}

void IniFile::writeInteger(const Text& section, const Text& key, std::int32_t value) {
    writeString(section, key, std::to_string(value));
}

void IniFile::eraseSection(const Text& section) {
    Lines lines = linesForChange(path_);
    bool erased = false;
    while (const auto header = findSection(lines, section)) {
        const auto first = lines.begin() + static_cast<std::ptrdiff_t>(*header);
        lines.erase(first, lines.begin() + static_cast<std::ptrdiff_t>(sectionEnd(lines, *header)));
        erased = true;
    }
    if (erased) {
        replaceFile(path_, lines);
    }
}

} // namespace platform
