#pragma once
// The system's text: 8-bit strings in the Windows-1250 code page.
//
// List items, settings values, log lines, messages, passwords, FTP commands and ZIP entry names
// are all `Text`. Conversion to and from UTF-8 happens only at the edges (paths and arguments for
// the operating system, strings for Qt widgets), through the functions below.

#include <optional>
#include <string>
#include <string_view>

using Text = std::string;

namespace platform {

// Windows-1250 → UTF-8. Total: every byte has a character. The five bytes that the code page
// leaves unassigned (0x81, 0x83, 0x88, 0x90, 0x98) become the C1 controls of the same value, as
// Windows converts them, so that any byte string survives the round trip.
std::string toUtf8(std::string_view text);

// UTF-8 → Windows-1250, strict: nullopt when the input is not valid UTF-8 or holds a character
// that Windows-1250 cannot represent. Use it wherever a silent replacement would do harm (paths).
std::optional<Text> fromUtf8(std::string_view utf8);

// UTF-8 → Windows-1250 for text the user only reads (messages): a character that the code page
// cannot hold, or a malformed sequence, becomes "?".
Text fromUtf8Lossy(std::string_view utf8);

// A Czech literal written readable in the source: `cz("Přidat soubor(y)")`. A literal that
// Windows-1250 cannot hold is a programming error and throws std::logic_error.
Text cz(std::string_view utf8Literal);

// Lower case as the Windows-1250 locale has it: A-Z and the accented capitals (Č → č, Ř → ř,
// Š → š, ...). Other bytes stay as they are.
Text toLowerCp1250(std::string_view text);

} // namespace platform
