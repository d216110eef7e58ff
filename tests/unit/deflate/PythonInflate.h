#pragma once
// The independent oracle: Python's zlib inflates raw Deflate streams (wbits −15).

#include <string>
#include <vector>

namespace deflatetest {

struct Inflated {
    bool ok = false;   // a complete stream: final block seen, no bytes after it
    std::string data;  // the inflated bytes
    std::string error; // why not, when !ok
};

// Inflates every stream with one run of /usr/bin/python3.
std::vector<Inflated> python_inflate(const std::vector<std::string>& streams);

} // namespace deflatetest
