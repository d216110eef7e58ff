#pragma once
// The match finder's state: the sliding window with its hash chains, and where the search stands.

#include <cstdint>

#include "zip/deflate/DeflateConstants.h"

struct MatchFinder {
    uint8_t window_buf[WINDOW_BUF_SIZE]; // input, read into it directly
    // Positions are below WINDOW_BUF_SIZE, so 16 bits hold them; half-size tables keep more of the
    // chain walk, the compressor's hot loop, in the first-level cache.
    //
    // For an inserted position p, entry p mod 32768 holds the position inserted before it with
    // the same hash (0 = none). It needs no clearing: a search reaches only entries written before.
    uint16_t chain_prev[WINDOW_SIZE];
    uint16_t hash_first[HASH_SIZE]; // per hash value the most recently inserted position (0 = none)
    uint32_t window_limit;          // WINDOW_BUF_SIZE
    int32_t block_origin;    // where the current block's input starts; negative once slid past it
    bool slide_enabled;      // true
    uint32_t hash_value;     // hash of the three bytes at the next insertion position
    uint32_t prev_match_len; // length chosen at the previous position; a search must beat it
    uint32_t cur_pos;        // current position in window_buf
    uint32_t match_pos;      // start of the best match of the last search
    bool input_ended;        // the input callback has reported the end
    uint32_t bytes_ahead;    // valid bytes from cur_pos on
    uint32_t chain_limit;    // the level's limits; nice_limit is lowered near the end of input
    uint32_t lazy_limit;
    uint32_t good_limit;
    uint32_t nice_limit;
};
