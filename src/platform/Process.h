#pragma once
// Starting a child process and waiting for it.

#include <optional>
#include <vector>

#include "platform/Text.h"

namespace platform {

// Starts `program` with `arguments` as separate arguments (no shell, no quoting), inheriting the
// environment and the standard handles, and waits for it to end, without a time limit.
// Returns the exit code (128 + the signal number when a signal ended it; -1 when the child ran
// but its status could not be collected), or nullopt when the program could not be started at
// all (missing, not executable, no resources).
std::optional<int> runAndWait(const Text& program, const std::vector<Text>& arguments);

} // namespace platform
