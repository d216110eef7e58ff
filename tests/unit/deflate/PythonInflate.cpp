#include "PythonInflate.h"

#include <filesystem>

#include "platform/Process.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

namespace deflatetest {

namespace {

// For each i: i.deflate → i.out, or i.err with the reason.
constexpr const char* kScript = R"(
import sys, zlib
folder, count = sys.argv[1], int(sys.argv[2])
for i in range(count):
    data = open(f'{folder}/{i}.deflate', 'rb').read()
    try:
        d = zlib.decompressobj(-15)
        out = d.decompress(data) + d.flush()
        if not d.eof:
            raise ValueError('stream has no final block')
        if d.unused_data:
            raise ValueError(f'{len(d.unused_data)} bytes after the final block')
        open(f'{folder}/{i}.out', 'wb').write(out)
    except Exception as e:
        open(f'{folder}/{i}.err', 'w').write(str(e))
)";

} // namespace

std::vector<Inflated> python_inflate(const std::vector<std::string>& streams) {
    testsupport::TempFolder folder;
    for (size_t i = 0; i < streams.size(); ++i) {
        testsupport::writeBytes(folder.file(std::to_string(i) + ".deflate"), streams[i]);
    }
    const auto exit_code = platform::runAndWait(
        "/usr/bin/python3", {"-c", kScript, folder.path(), std::to_string(streams.size())});

    std::vector<Inflated> results(streams.size());
    for (size_t i = 0; i < streams.size(); ++i) {
        const std::string out = folder.file(std::to_string(i) + ".out");
        const std::string err = folder.file(std::to_string(i) + ".err");
        if (std::filesystem::exists(out)) {
            results[i].ok = true;
            results[i].data = testsupport::readBytes(out);
        } else if (std::filesystem::exists(err)) {
            results[i].error = testsupport::readBytes(err);
        } else {
            results[i].error = "python3 did not run (exit " +
                               (exit_code ? std::to_string(*exit_code) : "none") + ")";
        }
    }
    return results;
}

} // namespace deflatetest
