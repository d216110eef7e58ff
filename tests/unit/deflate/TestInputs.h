#pragma once
// Inputs that exercise the compressor's paths, made reproducibly.

#include <cstdint>
#include <string>

namespace deflatetest {

// n bytes from a fixed pseudo-random sequence: incompressible.
std::string random_bytes(size_t n, uint32_t seed);

// n bytes of pseudo-text: words of a small vocabulary with spaces, punctuation and line ends, so
// that matches of every length and distance occur.
std::string word_text(size_t n, uint32_t seed);

// n bytes that alternate between runs of pseudo-text, random bytes and structured binary records.
std::string mixed_bytes(size_t n, uint32_t seed);

// The whole file, or the empty string when it cannot be read.
std::string file_or_empty(const std::string& path);

} // namespace deflatetest
