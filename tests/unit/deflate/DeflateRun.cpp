#include "DeflateRun.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "zip/deflate/Deflate.h"

namespace deflatetest {

namespace {

struct Context {
    std::string_view input;
    size_t read_pos = 0;
    const DeflateOptions* options = nullptr;
    std::string output;
};

int32_t read_input(void* context, uint8_t* buffer, uint32_t size) {
    auto* c = static_cast<Context*>(context);
    size_t n = std::min<size_t>(size, c->input.size() - c->read_pos);
    if (c->options->max_read != 0) {
        n = std::min<size_t>(n, c->options->max_read);
    }
    if (n == 0) {
        return c->options->end_answer;
    }
    std::memcpy(buffer, c->input.data() + c->read_pos, n);
    c->read_pos += n;
    return static_cast<int32_t>(n);
}

int32_t write_output(void* context, uint8_t* buffer, uint32_t* pending) {
    auto* c = static_cast<Context*>(context);
    if (*pending == 0) {
        return 0;
    }
    if (c->output.size() + *pending > c->options->refuse_after) {
        return 0;
    }
    c->output.append(reinterpret_cast<const char*>(buffer), *pending);
    const auto written = static_cast<int32_t>(*pending);
    *pending = 0;
    return written;
}

} // namespace

DeflateRun deflate_bytes(std::string_view input, const DeflateOptions& options) {
    Context context;
    context.input = input;
    context.options = &options;
    std::vector<uint8_t> out_buffer(options.out_capacity);

    auto state = std::make_unique<CompressorState>();
    state->context = &context;
    state->level = options.level;
    state->read_input = read_input;
    state->write_output = write_output;

    DeflateRun run;
    bitwriter_init(state.get(), out_buffer.data(), options.out_capacity, true);
    ct_init(state.get());
    match_init(state.get(), options.level, &run.flags);
    run.reported = compress_lazy(state.get());
    run.check_text = state->check_text;
    run.bytes = std::move(context.output);
    return run;
}

uint64_t fnv1a(const std::string& bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char b : bytes) {
        hash = (hash ^ b) * 1099511628211ull;
    }
    return hash;
}

} // namespace deflatetest
