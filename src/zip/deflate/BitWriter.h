#pragma once
// The bit writer's state: a 32-bit accumulator that hands two bytes at a time to a caller's output
// buffer, and hands the buffer to the output callback when fewer than two bytes are free, at each
// byte alignment and before stored data (which goes to the callback straight from the window).

#include <cstdint>

struct BitWriter {
    bool flush_allowed;  // output may be handed to the output callback at byte alignments
    uint32_t acc;        // bits waiting, least significant first; new bits go above them
    uint32_t acc_bits;   // bits waiting in acc: 0 to 16 between calls
    uint8_t* sink_buf;   // the caller's output buffer
    uint32_t sink_count; // bytes pending in sink_buf
    uint32_t sink_cap;   // capacity of sink_buf
    uint32_t bits_total; // every bit produced so far, for the size check
};
