#pragma once
// The system's text (Windows-1250 `Text`) and Qt's strings, in one place.

#include <optional>

#include <QString>

#include "platform/Text.h"

namespace platform {

// Windows-1250 → QString. Total and exact: fromQString gives the same bytes back.
QString toQString(const Text& text);

// QString → Windows-1250, strict: nullopt when the string holds a character that the code page
// cannot represent. Paths and other values that are stored go this way, so that nothing is
// silently replaced.
std::optional<Text> fromQString(const QString& text);

// QString → Windows-1250 for text that is only shown or logged: an unrepresentable character
// becomes "?".
Text fromQStringLossy(const QString& text);

} // namespace platform
