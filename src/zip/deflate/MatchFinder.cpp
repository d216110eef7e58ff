// The match finder. Input is read straight into a 64 KiB window. Every position with three bytes
// ahead is inserted into a hash chain: hash_first holds the latest position of each three-byte
// hash, chain_prev links each position to the one inserted before it with the same hash. A search
// walks a chain from the newest position back, at most chain_limit steps and never farther than
// MAX_DIST, and rejects most candidates by two bytes at the current best length before comparing
// forward eight bytes at a time.
//
// The lazy loop (levels 4 to 8) holds a match back for one position: when the next position
// starts a longer match, the held one is dropped for a literal. The greedy loop (levels 1 to 3)
// takes each match at once. When the position reaches SLIDE_AT the upper half of the window moves
// down and every position in the chains moves with it; positions that fall out become 0, which
// also means "none", so position 0 can never be a match source.

#include <algorithm>
#include <bit>
#include <cstring>
#include <iterator>

#include "zip/deflate/DeflateInternal.h"

namespace {

// Reads up to size bytes at buffer; the end of the input (0, -1 or any negative count) sets
// input_ended. A count above size, which a correct callback never returns, is taken as size.
void read_more(CompressorState* state, uint8_t* buffer, uint32_t size) {
    MatchFinder& finder = state->finder;
    const int32_t n = state->read_input(state->context, buffer, size);
    if (n <= 0) {
        finder.input_ended = true;
    } else {
        finder.bytes_ahead += std::min(static_cast<uint32_t>(n), size);
    }
}

void slide_window(MatchFinder& finder) {
    std::memcpy(finder.window_buf, finder.window_buf + WINDOW_SIZE, WINDOW_SIZE);
    finder.match_pos -= WINDOW_SIZE;
    finder.cur_pos -= WINDOW_SIZE;
    finder.block_origin -= static_cast<int32_t>(WINDOW_SIZE);
    auto shift = [](auto* positions, uint32_t count) {
        for (uint32_t i = 0; i < count; ++i) {
            positions[i] = positions[i] >= WINDOW_SIZE ? positions[i] - WINDOW_SIZE : 0;
        }
    };
    shift(finder.hash_first, HASH_SIZE);
    shift(finder.chain_prev, WINDOW_SIZE);
}

uint64_t load8(const uint8_t* bytes) {
    uint64_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

uint16_t load2(const uint8_t* bytes) {
    uint16_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Length of the common prefix of scan and match, whose first three bytes are known to be equal:
// offsets 3 to 258 are compared eight at a time, and the length is at most MAX_MATCH.
uint32_t common_length(const uint8_t* scan, const uint8_t* match) {
    static_assert((MAX_MATCH + 1 - MIN_MATCH) % 8 == 0, "offsets 3..258 are whole 8-byte steps");
    for (uint32_t offset = MIN_MATCH; offset <= MAX_MATCH; offset += 8) {
        const uint64_t difference = load8(scan + offset) ^ load8(match + offset);
        if (difference != 0) {
            if constexpr (std::endian::native == std::endian::little) {
                return offset + (std::countr_zero(difference) >> 3);
            } else {
                return offset + (std::countl_zero(difference) >> 3);
            }
        }
    }
    return MAX_MATCH;
}

// The block's input while it is still in the window.
uint8_t* block_input(MatchFinder& finder) {
    return finder.block_origin >= 0 ? finder.window_buf + finder.block_origin : nullptr;
}

uint32_t block_length(const MatchFinder& finder) {
    return static_cast<uint32_t>(static_cast<int64_t>(finder.cur_pos) - finder.block_origin);
}

// Emits the block that ends at cur_pos (not the last) and starts the next one there.
void end_block(CompressorState* state) {
    MatchFinder& finder = state->finder;
    emit_block(state, block_input(finder), block_length(finder), false);
    finder.block_origin = static_cast<int32_t>(finder.cur_pos);
}

uint32_t end_stream(CompressorState* state) {
    MatchFinder& finder = state->finder;
    return emit_block(state, block_input(finder), block_length(finder), true);
}

} // namespace

void match_init(CompressorState* state, int32_t level, uint16_t* flags) {
    MatchFinder& finder = state->finder;
    deflate_check(state, level >= 1 && level <= 8, "bad pack level");
    state->level = level;
    finder.window_limit = WINDOW_BUF_SIZE;
    finder.slide_enabled = true;
    std::fill(std::begin(finder.hash_first), std::end(finder.hash_first), 0);

    // Levels without a row run on row 0 (no searches); they have failed the check already.
    const LevelRow& row = level_table[level >= 0 && level <= 9 ? level : 0];
    finder.good_limit = row.good_len;
    finder.lazy_limit = row.lazy_len;
    finder.nice_limit = row.nice_len;
    finder.chain_limit = row.chain_len;

    if (flags != nullptr) {
        if (level <= 2) {
            *flags |= 0x0004; // fast compression
        }
        if (level >= 8) {
            *flags |= 0x0002; // maximum compression
        }
    }

    finder.cur_pos = 0;
    finder.block_origin = 0;
    finder.input_ended = false;
    finder.bytes_ahead = 0;
    read_more(state, finder.window_buf, WINDOW_BUF_SIZE);
    if (finder.input_ended) {
        return;
    }
    if (finder.bytes_ahead < MIN_LOOKAHEAD) {
        refill_window(state);
    }
    finder.hash_value = 0;
    finder.hash_value = UPDATE_HASH(finder.hash_value, finder.window_buf[0]);
    finder.hash_value = UPDATE_HASH(finder.hash_value, finder.window_buf[1]);
}

void refill_window(CompressorState* state) {
    MatchFinder& finder = state->finder;
    // At least once per call: the window still slides after the input has ended.
    do {
        uint32_t free = finder.window_limit - finder.bytes_ahead - finder.cur_pos;
        if (finder.cur_pos >= SLIDE_AT && finder.slide_enabled) {
            slide_window(finder);
            free += WINDOW_SIZE;
        }
        if (finder.input_ended) {
            return;
        }
        deflate_check(state, free >= 2, "more < 2");
        read_more(state, finder.window_buf + finder.cur_pos + finder.bytes_ahead, free);
    } while (finder.bytes_ahead < MIN_LOOKAHEAD && !finder.input_ended);
}

uint32_t search_chain(CompressorState* state, uint32_t candidate) {
    MatchFinder& finder = state->finder;
    uint32_t steps = finder.chain_limit;
    if (finder.prev_match_len >= finder.good_limit) {
        steps >>= 2;
    }
    uint32_t best = finder.prev_match_len;
    const uint32_t lowest = finder.cur_pos > MAX_DIST ? finder.cur_pos - MAX_DIST : 0;
    deflate_check(state, finder.cur_pos <= finder.window_limit - MIN_LOOKAHEAD,
                  "insufficient lookahead");

    const uint8_t* window = finder.window_buf;
    const uint8_t* scan = window + finder.cur_pos;
    const uint16_t scan_start = load2(scan);
    uint16_t scan_end = load2(scan + best - 1); // the bytes at offsets best − 1 and best
    do {
        deflate_check(state, candidate < finder.cur_pos, "no future");
        const uint8_t* match = window + candidate;
        if (load2(match + best - 1) != scan_end || load2(match) != scan_start) {
            continue;
        }
        const uint32_t len = common_length(scan, match);
        deflate_check(state, finder.cur_pos + len <= finder.window_limit - 1, "wild scan");
        if (len > best) {
            finder.match_pos = candidate;
            best = len;
            if (len >= finder.nice_limit) {
                break;
            }
            scan_end = load2(scan + best - 1);
        }
    } while ((candidate = finder.chain_prev[candidate & WINDOW_MASK]) > lowest && --steps != 0);
    return best;
}

uint32_t compress_lazy(CompressorState* state) {
    if (state->level >= 1 && state->level <= 3) {
        return compress_greedy(state);
    }
    MatchFinder& finder = state->finder;
    uint32_t candidate = 0;
    uint32_t match_len = MIN_MATCH - 1;
    bool pending = false; // a literal at cur_pos − 1 not yet tallied

    while (finder.bytes_ahead != 0) {
        if (finder.bytes_ahead >= MIN_MATCH) {
            candidate = hash_insert(state, finder.cur_pos);
        }

        finder.prev_match_len = match_len;
        const uint32_t prev_pos = finder.match_pos;
        match_len = MIN_MATCH - 1;
        if (candidate != 0 && finder.prev_match_len < finder.lazy_limit &&
            finder.cur_pos - candidate <= MAX_DIST) {
            finder.nice_limit = std::min(finder.nice_limit, finder.bytes_ahead);
            match_len = std::min(search_chain(state, candidate), finder.bytes_ahead);
            if (match_len == MIN_MATCH && finder.cur_pos - finder.match_pos > TOO_FAR) {
                match_len = MIN_MATCH - 1;
            }
        }

        if (finder.prev_match_len >= MIN_MATCH && match_len <= finder.prev_match_len) {
            // The match of the previous position is at least as long: take it, and insert the
            // positions it covers (those with three bytes ahead).
            const uint32_t last_insert = finder.cur_pos + finder.bytes_ahead - MIN_MATCH;
            const bool emit =
                ct_tally(state, finder.cur_pos - 1 - prev_pos, finder.prev_match_len - MIN_MATCH);
            finder.bytes_ahead -= finder.prev_match_len - 1;
            for (uint32_t n = finder.prev_match_len - 2; n != 0; --n) {
                ++finder.cur_pos;
                if (finder.cur_pos <= last_insert) {
                    candidate = hash_insert(state, finder.cur_pos);
                }
            }
            ++finder.cur_pos;
            pending = false;
            match_len = MIN_MATCH - 1;
            if (emit) {
                end_block(state);
            }
        } else if (pending) {
            // The previous position's byte goes out as a literal; this one waits.
            if (ct_tally(state, 0, finder.window_buf[finder.cur_pos - 1])) {
                end_block(state);
            }
            ++finder.cur_pos;
            --finder.bytes_ahead;
        } else {
            pending = true;
            ++finder.cur_pos;
            --finder.bytes_ahead;
        }

        if (finder.bytes_ahead < MIN_LOOKAHEAD) {
            refill_window(state);
        }
    }
    if (pending) {
        ct_tally(state, 0, finder.window_buf[finder.cur_pos - 1]);
    }
    return end_stream(state);
}

uint32_t compress_greedy(CompressorState* state) {
    MatchFinder& finder = state->finder;
    finder.prev_match_len = MIN_MATCH - 1;
    uint32_t candidate = 0;
    uint32_t match_len = 0;

    while (finder.bytes_ahead != 0) {
        if (finder.bytes_ahead >= MIN_MATCH) {
            candidate = hash_insert(state, finder.cur_pos);
        }
        if (candidate != 0 && finder.cur_pos - candidate <= MAX_DIST) {
            finder.nice_limit = std::min(finder.nice_limit, finder.bytes_ahead);
            match_len = std::min(search_chain(state, candidate), finder.bytes_ahead);
        }

        bool emit;
        if (match_len >= MIN_MATCH) {
            emit = ct_tally(state, finder.cur_pos - finder.match_pos, match_len - MIN_MATCH);
            finder.bytes_ahead -= match_len;
            if (match_len <= finder.lazy_limit && finder.bytes_ahead >= MIN_MATCH) {
                // Short matches have their inner positions inserted.
                for (uint32_t n = match_len - 1; n != 0; --n) {
                    ++finder.cur_pos;
                    hash_insert(state, finder.cur_pos);
                }
                ++finder.cur_pos;
            } else {
                // Long ones are skipped, and the hash starts afresh behind them.
                finder.cur_pos += match_len;
                finder.hash_value = finder.window_buf[finder.cur_pos];
                finder.hash_value =
                    UPDATE_HASH(finder.hash_value, finder.window_buf[finder.cur_pos + 1]);
            }
            match_len = 0;
        } else {
            emit = ct_tally(state, 0, finder.window_buf[finder.cur_pos]);
            --finder.bytes_ahead;
            ++finder.cur_pos;
        }
        if (emit) {
            end_block(state);
        }

        if (finder.bytes_ahead < MIN_LOOKAHEAD) {
            refill_window(state);
        }
    }
    return end_stream(state);
}
