#pragma once
// Whole files as byte strings.

#include <string>

namespace testsupport {

// The file's bytes; throws std::runtime_error when it cannot be read.
std::string readBytes(const std::string& path);

// Creates or replaces the file with exactly `bytes`; throws when that fails.
void writeBytes(const std::string& path, const std::string& bytes);

} // namespace testsupport
