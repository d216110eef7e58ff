#pragma once
// The compressor's inner operations, shared by its three source files (and its tests). The few
// that run once per symbol or per code are inline here.

#include <cstdint>

#include "zip/deflate/Deflate.h"

// Internal checks hold in correct operation. A failed one records its text and the run goes on
// unchanged; the ZIP writer then fails the entry.
inline void deflate_check(CompressorState* state, bool holds, const char* text) {
    if (!holds) [[unlikely]] {
        state->check_text = text;
    }
}

// --- Bit writer ---------------------------------------------------------------------------------

// Hands the pending bytes of the output buffer to the output callback.
void flush_output(CompressorState* state);

// Appends the low n bits of value (1 ≤ n ≤ 15; value has no bits above them) to the stream.
inline void put_bits(CompressorState* state, uint32_t value, uint32_t n) {
    BitWriter& bits = state->bits;
    deflate_check(state, n >= 1 && n <= 15, "invalid length");
    bits.bits_total += n;
    bits.acc |= value << bits.acc_bits;
    bits.acc_bits += n;
    if (bits.acc_bits > 16) {
        if (bits.sink_count >= bits.sink_cap - 1) {
            flush_output(state);
        }
        bits.sink_buf[bits.sink_count++] = static_cast<uint8_t>(bits.acc);
        bits.sink_buf[bits.sink_count++] = static_cast<uint8_t>(bits.acc >> 8);
        bits.acc_bits -= 16;
        bits.acc = value >> (n - bits.acc_bits);
    }
}

// The low n bits of code in reverse order.
uint32_t reverse_bits(uint32_t code, uint32_t n);

// Pads the stream with zero bits to a whole byte and hands the buffer over when flush_allowed.
void align_to_byte(CompressorState* state);

// Aligns, writes the stored-block length and its ones' complement when with_header, then hands
// the length bytes at input to the output callback directly.
void put_stored_block(CompressorState* state, uint8_t* input, uint32_t length, bool with_header);

// --- Block encoder ------------------------------------------------------------------------------

// Distance code of a distance − 1 (0..32767).
inline uint32_t d_code(const BlockEncoder& encoder, uint32_t dist) {
    return dist < 256 ? encoder.dist_code_of[dist]
                      : encoder.dist_code_of[256 + ((dist >> 7) & 0xFF)];
}

// Sends code c of a tree.
inline void send_code(CompressorState* state, uint32_t c, const TreeNode* tree) {
    put_bits(state, tree[c].code, tree[c].len);
}

void reset_block(CompressorState* state);
void make_tree(CompressorState* state, TreeInfo* info);
void sift_down(CompressorState* state, const TreeNode* tree, int32_t k);
void limit_lengths(CompressorState* state, TreeInfo* info);
void gen_codes(CompressorState* state, TreeNode* tree, int32_t max_code);
void count_length_runs(CompressorState* state, TreeNode* tree, int32_t max_code);
void send_length_runs(CompressorState* state, const TreeNode* tree, int32_t max_code);
int32_t make_length_tree(CompressorState* state);
void send_tree_header(CompressorState* state, int32_t lcodes, int32_t dcodes, int32_t blcodes);
void send_block_symbols(CompressorState* state, const TreeNode* ltree, const TreeNode* dtree);

// --- Match finder -------------------------------------------------------------------------------

inline uint32_t UPDATE_HASH(uint32_t h, uint8_t byte) {
    return ((h << HASH_SHIFT) ^ byte) & HASH_MASK;
}

// Inserts the string at pos into its hash chain; returns the previous head of that chain.
inline uint32_t hash_insert(CompressorState* state, uint32_t pos) {
    MatchFinder& finder = state->finder;
    finder.hash_value = UPDATE_HASH(finder.hash_value, finder.window_buf[pos + 2]);
    const uint32_t candidate = finder.hash_first[finder.hash_value];
    finder.chain_prev[pos & WINDOW_MASK] = static_cast<uint16_t>(candidate);
    finder.hash_first[finder.hash_value] = static_cast<uint16_t>(pos);
    return candidate;
}

// Follows the hash chain from candidate and returns the length of the best match longer than
// prev_match_len (or prev_match_len); sets match_pos to its start. The length may exceed
// bytes_ahead: callers cut it down.
uint32_t search_chain(CompressorState* state, uint32_t candidate);

// Slides the window when needed and reads more input while fewer than MIN_LOOKAHEAD bytes are
// ahead and the input has not ended.
void refill_window(CompressorState* state);
