#pragma once
// The sizes and fixed tables of the Deflate compressor (RFC 1951). The sizes of every buffer in the
// compressor's state follow from these, and the output bytes depend on each value: none of them is
// a tuning knob.

#include <cstdint>

// --- The match finder's window and hash -------------------------------------------------------

// Largest match distance range of Deflate (RFC 1951, section 3.2.1); the window buffer holds two
// of them, so that a whole range lies behind the current position after each slide.
inline constexpr uint32_t WINDOW_SIZE = 32768;
inline constexpr uint32_t WINDOW_MASK = WINDOW_SIZE - 1;
inline constexpr uint32_t WINDOW_BUF_SIZE = 2 * WINDOW_SIZE;

inline constexpr uint32_t MIN_MATCH = 3;
inline constexpr uint32_t MAX_MATCH = 258;

// Bytes kept ahead of the current position before a search: a whole longest match, the three
// bytes that the next hash needs and one more, so that a search never reads past what was read.
inline constexpr uint32_t MIN_LOOKAHEAD = MAX_MATCH + MIN_MATCH + 1;

// Farthest distance used: the window less the look-ahead, so that a match source is still in the
// buffer when the window slides.
inline constexpr uint32_t MAX_DIST = WINDOW_SIZE - MIN_LOOKAHEAD;

// The window slides by WINDOW_SIZE when the current position reaches this.
inline constexpr uint32_t SLIDE_AT = WINDOW_SIZE + MAX_DIST;

// A three-byte match farther back than this costs more than three literals (lazy loop only).
inline constexpr uint32_t TOO_FAR = 4096;

// 15 hash bits with a shift of 5 per byte: a hash value depends on exactly the last three bytes.
inline constexpr uint32_t HASH_BITS = 15;
inline constexpr uint32_t HASH_SIZE = 1u << HASH_BITS;
inline constexpr uint32_t HASH_MASK = HASH_SIZE - 1;
inline constexpr uint32_t HASH_SHIFT = 5;

static_assert(HASH_SHIFT * MIN_MATCH == HASH_BITS, "a hash value must depend on three bytes");
static_assert(MIN_LOOKAHEAD == 262 && MAX_DIST == 32506 && SLIDE_AT == 65274);
static_assert(WINDOW_BUF_SIZE <= 65536, "window positions fit in 16 bits");
static_assert(SLIDE_AT + MIN_LOOKAHEAD == WINDOW_BUF_SIZE,
              "a search at the slide position still has a whole look-ahead in the buffer");

// --- The block encoder --------------------------------------------------------------------------

inline constexpr uint32_t LITERALS = 256;
inline constexpr uint32_t END_BLOCK = 256;
inline constexpr uint32_t LENGTH_CODES = 29;
inline constexpr uint32_t L_CODES = LITERALS + 1 + LENGTH_CODES; // literal/length tree: 286
inline constexpr uint32_t D_CODES = 30;                          // distance tree
inline constexpr uint32_t BL_CODES = 19;                         // code-length tree
inline constexpr uint32_t HEAP_SIZE = 2 * L_CODES + 1;           // every node of the largest tree
inline constexpr uint32_t MAX_BITS = 15;                         // longest literal/distance code
inline constexpr uint32_t MAX_BL_BITS = 7;                       // longest code-length code

// Symbols of one block. The block ends one symbol before the buffers are full.
inline constexpr uint32_t LIT_BUFSIZE = 32768;
inline constexpr uint32_t DIST_BUFSIZE = LIT_BUFSIZE;

// Code-length codes that repeat (RFC 1951, section 3.2.7).
inline constexpr uint32_t REP_3_6 = 16;
inline constexpr uint32_t REPZ_3_10 = 17;
inline constexpr uint32_t REPZ_11_138 = 18;

static_assert(HEAP_SIZE == 573);

// Extra bits of the length codes 257..285, the distance codes 0..29 and the code-length codes
// 0..18 (RFC 1951, section 3.2.5 and 3.2.7).
inline constexpr uint8_t extra_len_bits[LENGTH_CODES] = {
    0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
inline constexpr uint8_t extra_dist_bits[D_CODES] = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                     4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                     9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
inline constexpr uint8_t extra_bitlen_bits[BL_CODES] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                                        0, 0, 0, 0, 0, 0, 2, 3, 7};

// The order in which the code-length code lengths are sent (RFC 1951, section 3.2.7).
inline constexpr uint8_t bitlen_order[BL_CODES] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                   11, 4,  12, 3, 13, 2, 14, 1, 15};

// --- The levels ---------------------------------------------------------------------------------

// One row per level 0..9; the ZIP writer always uses 8. Rows 0 and 9 exist, but those levels fail
// the level check.
struct LevelRow {
    uint16_t good_len;  // the previous match is this long: search a quarter of the chain
    uint16_t lazy_len;  // lazy: no search after a match this long; greedy: insert up to this long
    uint16_t nice_len;  // a match this long ends the search
    uint16_t chain_len; // candidates searched per position
};

inline constexpr LevelRow level_table[10] = {
    {0, 0, 0, 0},         {4, 4, 8, 4},         {4, 5, 16, 8},     {4, 6, 32, 32},
    {4, 4, 16, 16},       {8, 16, 32, 32},      {8, 16, 128, 128}, {8, 32, 128, 256},
    {32, 128, 258, 1024}, {32, 258, 258, 4096},
};
