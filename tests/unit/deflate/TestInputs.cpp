#include "TestInputs.h"

#include <fstream>
#include <iterator>

namespace deflatetest {

namespace {

// A small linear congruential generator: the same sequence on every machine.
struct Lcg {
    uint32_t state;
    uint32_t next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
};

constexpr const char* kWords[] = {
    "the",    "data",     "file",   "archive", "server", "send",     "log",    "entry",
    "of",     "and",      "a",      "to",      "is",     "window",   "block",  "tree",
    "match",  "distance", "length", "code",    "with",   "settings", "upload", "proxy",
    "folder", "odeslání", "soubor", "zpráva",  "in",     "for",      "by",     "DALOMA"};

} // namespace

std::string random_bytes(size_t n, uint32_t seed) {
    Lcg lcg{seed};
    std::string out(n, '\0');
    for (char& c : out) {
        c = static_cast<char>(lcg.next() & 0xFF);
    }
    return out;
}

std::string word_text(size_t n, uint32_t seed) {
    Lcg lcg{seed};
    std::string out;
    out.reserve(n + 16);
    while (out.size() < n) {
        out += kWords[lcg.next() % std::size(kWords)];
        const uint32_t r = lcg.next() % 16;
        out += r == 0 ? ".\r\n" : r == 1 ? ", " : " ";
    }
    out.resize(n);
    return out;
}

std::string mixed_bytes(size_t n, uint32_t seed) {
    Lcg lcg{seed};
    std::string out;
    out.reserve(n + 70000);
    while (out.size() < n) {
        const size_t piece = 1 + lcg.next() % 20000;
        switch (lcg.next() % 3) {
        case 0:
            out += word_text(piece, lcg.next());
            break;
        case 1:
            out += random_bytes(piece, lcg.next());
            break;
        default:
            for (size_t i = 0; i < piece / 8; ++i) { // records: a counter and a few flags
                const uint32_t v = static_cast<uint32_t>(i) * 3;
                out.append({static_cast<char>(v), static_cast<char>(v >> 8), 0, 0,
                            static_cast<char>(lcg.next() % 4), 0, 0x7F, 0});
            }
        }
    }
    out.resize(n);
    return out;
}

std::string file_or_empty(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace deflatetest
