#pragma once
// The exception class of the platform: what reaches the application's top-level display.
// Its message is `Text` (Windows-1250), as every message of the system.

#include <stdexcept>

#include "platform/Text.h"

namespace platform {

class Exception : public std::runtime_error {
public:
    explicit Exception(const Text& message) : std::runtime_error(message) {}
    Text message() const { return what(); }
};

} // namespace platform
