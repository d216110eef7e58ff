#pragma once
// Files and folders by path. Every function takes `Text` paths (Windows-1250) and converts them
// for the operating system; none throws. A path that Windows-1250 text cannot name on this system
// cannot occur, because the conversion to UTF-8 is total.

#include <cstdint>
#include <optional>

#include "platform/Text.h"

namespace platform {

// True when something that is not a folder exists at `path` (a regular file, also through a
// symbolic link). A folder does not count as a file.
bool fileExists(const Text& path);

// True when a folder exists at `path` (also through a symbolic link).
bool folderExists(const Text& path);

// Deletes the file at `path`. False when it is missing, is a folder, or cannot be deleted.
bool deleteFile(const Text& path);

// Renames (moves within one file system) `from` to `to`. Like the Windows move it refuses to
// replace an existing `to`: false then, and on every other failure.
bool renameFile(const Text& from, const Text& to);

// Copies the file `from` to `to`, replacing an existing `to`. The copy keeps the source's
// modification time and permission bits. It is written under a temporary name in the target's
// folder and renamed into place at the end, so a failed copy leaves an old `to` untouched.
bool copyFile(const Text& from, const Text& to);

// Creates the folder `path`; only its last level, so its parent must exist. False on failure,
// also when something already exists there.
bool createFolder(const Text& path);

// Size of the file at `path` in bytes; nullopt when there is no file (a folder included).
std::optional<std::int64_t> fileSize(const Text& path);

} // namespace platform
