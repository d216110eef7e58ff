#pragma once
// A Windows profile (INI) file, read and written as the platform's profile functions do.
//
// The file is opened and closed for every access; nothing is cached. A line "[name]" opens a
// section; a line "key=value" holds one value. Section and key names are matched without regard
// to letter case; names and values are trimmed of blanks and tabs, and a value enclosed in a pair
// of matching quotes loses them. The first matching section and key count. Lines ending in LF or
// CR LF are read; CR LF is written. Text is Windows-1250, byte for byte.
//
// Every change rewrites the file under a temporary name in its folder and renames it over the old
// one, so a reader never sees half a file; a new file is readable by its owner only.

#include <cstdint>

#include "platform/Exception.h"
#include "platform/Text.h"

namespace platform {

// Raised when a write or an erase is refused; the message is "Unable to write to " + path.
class EIniFileException : public Exception {
public:
    using Exception::Exception;
};

class IniFile {
public:
    // The longest value a read returns, in bytes; longer values are cut.
    static constexpr std::size_t kMaxValueLength = 2047;

    explicit IniFile(Text path) : path_(std::move(path)) {}

    const Text& fileName() const { return path_; }

    // The value of `key` in `section`; `defaultValue` when the file, the section or the key is
    // missing or the file cannot be read. A key present with an empty value gives "".
    Text readString(const Text& section, const Text& key, const Text& defaultValue) const;

    // The value read as a whole number (see parseInteger); `defaultValue` when it is missing or
    // is not a number in one of the accepted forms.
    std::int32_t readInteger(const Text& section, const Text& key, std::int32_t defaultValue) const;

    // Replaces the value of `key` where it stands, or adds the key at the end of its section, or
    // the section at the end of the file, or creates the file. A value is one line: it is cut at
    // its first line break, so that it cannot add lines of its own. Throws EIniFileException.
    void writeString(const Text& section, const Text& key, const Text& value);

    // Writes `value` in decimal, with a minus sign when negative. Throws EIniFileException.
    void writeInteger(const Text& section, const Text& key, std::int32_t value);

    // Removes every section named `section` with all its keys. Nothing happens when the file or
    // the section does not exist. Throws EIniFileException.
    void eraseSection(const Text& section);

private:
    Text path_;
};

} // namespace platform
