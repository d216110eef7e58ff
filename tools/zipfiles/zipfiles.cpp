// zipfiles ARCHIVE FILE...: writes ARCHIVE with one entry per FILE, named by its file-name part,
// through the writer's interface. Prints every non-zero result in hexadecimal with the file it
// belongs to; exits 1 when there was one, else 0.

#include <cstdio>
#include <optional>
#include <string>

#include "platform/Paths.h"
#include "platform/Text.h"
#include "zip/Zip.h"

namespace {

void report(ZipResult result, const char* what) {
    std::printf("0x%X %s\n", result, what);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zipfiles ARCHIVE FILE...\n");
        return 2;
    }
    // Arguments arrive in UTF-8; the writer takes the system's Windows-1250 text.
    const std::optional<Text> archive = platform::fromUtf8(argv[1]);
    ZipHandle* zip = archive ? ZipCreateArchive(archive->c_str(), 0, ZipKindFileName) : nullptr;
    if (zip == nullptr) {
        std::fprintf(stderr, "zipfiles: cannot create %s\n", argv[1]);
        return 1;
    }
    bool failed = false;
    for (int i = 2; i < argc; ++i) {
        const std::optional<Text> file = platform::fromUtf8(argv[i]);
        const ZipResult result = file ? ZipAddEntry(zip, platform::fileNamePart(*file).c_str(),
                                                    file->c_str(), 0, ZipKindFileName)
                                      : ZipErrArgs;
        if (result != ZipOk) {
            report(result, argv[i]);
            failed = true;
        }
    }
    const ZipResult closed = ZipCloseArchive(zip);
    if (closed != ZipOk) {
        report(closed, argv[1]);
        failed = true;
    }
    return failed ? 1 : 0;
}
