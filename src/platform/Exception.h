#pragma once
// The exception class of the platform: what reaches the application's top-level display.
// Its message is `Text` (Windows-1250), as every message of the system.

#include <exception>
#include <stdexcept>

#include "platform/Text.h"

namespace platform {

class Exception : public std::runtime_error {
public:
    explicit Exception(const Text& message) : std::runtime_error(message) {}
    Text message() const { return what(); }
};

// The message of any exception, as the top-level display shows it: a platform::Exception's
// message as it stands; another std::exception's what(), read as UTF-8; a fixed text for
// anything else. A null `error` gives an empty text.
inline Text exceptionMessage(std::exception_ptr error) {
    if (!error) {
        return {};
    }
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.message();
    } catch (const std::exception& e) {
        return fromUtf8Lossy(e.what());
    } catch (...) {
        return cz("Neznámá chyba.");
    }
}

} // namespace platform
