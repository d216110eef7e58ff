#pragma once
// Path rules of the system, in one place.
//
// The system's rules speak of "\" and of a drive's root (C:\). On Linux the separator is "/" and
// the only root is "/"; a drive letter has no meaning. All paths are `Text` (Windows-1250).

#include "platform/Text.h"

namespace platform {

inline constexpr char kPathSeparator = '/';

// The folder part: the text before the last separator. The separator itself is kept when it is
// the root or directly follows another separator, so "/data/a.txt" → "/data", "/a.txt" → "/",
// "//a" → "//". A bare file name has an empty folder part.
Text folderPart(const Text& path);

// The file-name part: the text after the last separator (all of it when there is none).
Text fileNamePart(const Text& path);

// True for the root folder "/".
bool isRoot(const Text& folder);

// Appends a separator unless the text already ends with one (the root, or "/data/").
Text withTrailingSeparator(Text folder);

// The folder of the running executable, ending with a separator. Settings.ini and gpg.exe lie
// there. Tests point it elsewhere with `setProgramFolderForTesting`; the program never does.
Text programFolder();

// Makes `programFolder` return `folder` (with a separator added when missing). An empty text
// restores the folder of the executable.
void setProgramFolderForTesting(const Text& folder);

// The user's temporary folder ($TMPDIR, else /tmp), ending with a separator.
Text tempFolder();

// The process's current folder, without a trailing separator unless it is the root; empty when
// it cannot be determined or Windows-1250 cannot hold it.
Text currentFolder();

} // namespace platform
