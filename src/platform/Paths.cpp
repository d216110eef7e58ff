#include "platform/Paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace platform {
namespace {

Text& programFolderOverride() {
    static Text folder;
    return folder;
}

Text executableFolder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return Text(1, kPathSeparator);
    }
    // The executable's full path cut after its last separator.
    const auto utf8 = exe.string();
    return fromUtf8Lossy(utf8.substr(0, utf8.rfind(kPathSeparator) + 1));
}

} // namespace

Text folderPart(const Text& path) {
    const auto last = path.rfind(kPathSeparator);
    if (last == Text::npos) {
        return {};
    }
    const bool keepSeparator = last == 0 || path[last - 1] == kPathSeparator;
    return path.substr(0, keepSeparator ? last + 1 : last);
}

Text fileNamePart(const Text& path) {
    const auto last = path.rfind(kPathSeparator);
    return last == Text::npos ? path : path.substr(last + 1);
}

bool isRoot(const Text& folder) {
    return folder == Text(1, kPathSeparator);
}

Text withTrailingSeparator(Text folder) {
    if (folder.empty() || folder.back() != kPathSeparator) {
        folder += kPathSeparator;
    }
    return folder;
}

Text programFolder() {
    const Text& override = programFolderOverride();
    if (!override.empty()) {
        return override;
    }
    static const Text folder = executableFolder();
    return folder;
}

void setProgramFolderForTesting(const Text& folder) {
    programFolderOverride() = folder.empty() ? Text{} : withTrailingSeparator(folder);
}

Text tempFolder() {
    const char* tmpdir = std::getenv("TMPDIR");
    auto folder = tmpdir && *tmpdir ? fromUtf8(tmpdir) : std::nullopt;
    return withTrailingSeparator(folder ? *folder : Text("/tmp"));
}

Text currentFolder() {
    std::error_code error;
    const auto current = std::filesystem::current_path(error);
    if (error) {
        return {};
    }
    return fromUtf8(current.string()).value_or(Text{});
}

} // namespace platform
