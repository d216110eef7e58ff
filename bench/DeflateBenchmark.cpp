// bench_deflate FOLDER [LEVEL] [RUNS] [FILE]: compresses text.bin, binary.bin and mixed.bin (or
// only FILE) of FOLDER (made by scripts/make-bench-corpus.sh) from memory into memory and prints,
// per file, the best speed of RUNS runs in MB/s (10^6 input bytes per second of the thread's CPU
// time, which other work on a busy machine disturbs less than the wall clock), the compressed/input
// ratio, and a digest of the compressed bytes, so that a faster build can be shown to give the same
// output.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

#include "DeflateRun.h"
#include "TestInputs.h"

namespace {

double cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_deflate FOLDER [LEVEL] [RUNS] [FILE]\n");
        return 2;
    }
    const std::string folder = argv[1];
    deflatetest::DeflateOptions options;
    options.level = argc > 2 ? std::atoi(argv[2]) : 8;
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;

    std::printf("level %d, best of %d runs\n", options.level, runs);
    for (const char* name : {"text.bin", "binary.bin", "mixed.bin"}) {
        if (argc > 4 && std::string(argv[4]) != name) {
            continue;
        }
        const std::string input = deflatetest::file_or_empty(folder + "/" + name);
        if (input.empty()) {
            std::fprintf(stderr, "bench_deflate: cannot read %s/%s\n", folder.c_str(), name);
            return 1;
        }
        double best_seconds = 1e30;
        deflatetest::DeflateRun run;
        for (int i = 0; i < runs; ++i) {
            const double start = cpu_seconds();
            run = deflatetest::deflate_bytes(input, options);
            best_seconds = std::min(best_seconds, cpu_seconds() - start);
        }
        std::printf("%-11s %9zu bytes  %7.1f MB/s  ratio %.4f  digest %016llx%s\n", name,
                    input.size(), input.size() / best_seconds / 1e6,
                    static_cast<double>(run.bytes.size()) / input.size(),
                    static_cast<unsigned long long>(deflatetest::fnv1a(run.bytes)),
                    run.check_text != nullptr ? "  CHECK FAILED" : "");
    }
    return 0;
}
