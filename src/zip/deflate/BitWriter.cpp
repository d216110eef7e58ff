// The bit writer. Deflate packs its bits least significant first (RFC 1951, section 3.1.1); the
// accumulator collects them and stores two bytes whenever more than 16 are waiting, so between
// calls it holds 0 to 16 bits. The output buffer is handed to the output callback only when fewer
// than two bytes are free, at byte alignments and before stored data, which the callback takes
// straight from the window without a copy.

#include "zip/deflate/DeflateInternal.h"

namespace {

// Calls the output callback with `pending` bytes at `bytes`. The callback sets the count to 0
// when it wrote them; bytes it refuses are dropped, so that nothing is ever stored past the
// buffer, and the failure is recorded for the caller.
void hand_over(CompressorState* state, uint8_t* bytes, uint32_t* pending) {
    state->write_output(state->context, bytes, pending);
    if (*pending != 0) [[unlikely]] {
        *pending = 0;
        state->check_text = "output not written";
    }
}

void put_byte(BitWriter& bits, uint32_t byte) {
    bits.sink_buf[bits.sink_count++] = static_cast<uint8_t>(byte);
}

// A 16-bit value, least significant byte first, after a flush when fewer than two bytes are free.
void put_two_bytes(CompressorState* state, uint32_t value) {
    BitWriter& bits = state->bits;
    if (bits.sink_cap - bits.sink_count < 2) {
        flush_output(state);
    }
    put_byte(bits, value & 0xFF);
    put_byte(bits, (value >> 8) & 0xFF);
}

} // namespace

void bitwriter_init(CompressorState* state, uint8_t* buffer, uint32_t capacity,
                    bool flush_allowed) {
    BitWriter& bits = state->bits;
    bits.sink_buf = buffer;
    bits.sink_cap = capacity;
    bits.flush_allowed = flush_allowed;
    bits.sink_count = 0;
    bits.acc = 0;
    bits.acc_bits = 0;
    bits.bits_total = 0;
}

void flush_output(CompressorState* state) {
    hand_over(state, state->bits.sink_buf, &state->bits.sink_count);
}

uint32_t reverse_bits(uint32_t code, uint32_t n) {
    uint32_t reversed = 0;
    for (uint32_t i = 0; i < n; ++i) {
        reversed = (reversed << 1) | (code & 1);
        code >>= 1;
    }
    return reversed;
}

void align_to_byte(CompressorState* state) {
    BitWriter& bits = state->bits;
    if (bits.acc_bits > 8) {
        if (bits.sink_count >= bits.sink_cap - 1) {
            flush_output(state);
        }
        put_byte(bits, bits.acc);
        put_byte(bits, bits.acc >> 8);
    } else if (bits.acc_bits > 0) {
        if (bits.sink_count >= bits.sink_cap) {
            flush_output(state);
        }
        put_byte(bits, bits.acc);
    }
    if (bits.flush_allowed) {
        flush_output(state);
    }
    bits.acc = 0;
    bits.acc_bits = 0;
    bits.bits_total = (bits.bits_total + 7) & ~7u;
}

void put_stored_block(CompressorState* state, uint8_t* input, uint32_t length, bool with_header) {
    BitWriter& bits = state->bits;
    align_to_byte(state);
    if (with_header) {
        put_two_bytes(state, length);
        put_two_bytes(state, ~length);
        bits.bits_total += 32;
    }
    flush_output(state);
    bits.sink_count = length;
    hand_over(state, input, &bits.sink_count);
    bits.bits_total += 8 * length;
}
