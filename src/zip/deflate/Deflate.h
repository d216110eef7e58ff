#pragma once
// The Deflate compressor of the ZIP writer (raw RFC 1951 data, no zlib or gzip wrapper).
//
// One CompressorState compresses one stream. The caller makes it (it is big, about 430 KiB: make
// it on the heap, value-initialised, e.g. std::make_unique<CompressorState>()), fills in context,
// level and the two callbacks, then calls, in this order:
//
//     bitwriter_init(state, buffer, capacity, true);
//     ct_init(state);
//     match_init(state, level, &flags);
//     uint32_t compressed_bytes = compress_lazy(state);
//
// and finally looks at check_text: null means every internal check held. Nothing is allocated
// while compressing, and a state is used for one stream only.
//
// The output is fully determined by the input bytes and the level: lazy matching over hash chains
// (levels 4 to 8; 1 to 3 match greedily), blocks of at most 32767 symbols, each sent stored, with
// the fixed codes or with its own Huffman codes, whichever is smallest.

#include <cstdint>

#include "zip/deflate/BitWriter.h"
#include "zip/deflate/BlockEncoder.h"
#include "zip/deflate/MatchFinder.h"

// Fills buffer with up to size bytes of input and returns how many. 0 or -1 (all bits set) means
// the input has ended; the compressor also takes any other negative count as the end, and never
// counts more than size bytes.
using deflate_input_fn = int32_t (*)(void* context, uint8_t* buffer, uint32_t size);

// Hands over the *pending bytes at buffer (the bit writer's buffer, or for stored blocks the input
// itself, straight from the window). The callback writes them and sets *pending to 0 when it wrote
// something; its return value is not used. Bytes it leaves pending are dropped, so that the
// compressor never writes past its buffer, and check_text records "output not written".
using deflate_output_fn = int32_t (*)(void* context, uint8_t* buffer, uint32_t* pending);

struct CompressorState {
    void* context; // passed back to both callbacks
    int32_t level; // 1 to 8; match_init sets it
    deflate_input_fn read_input;
    deflate_output_fn write_output;
    BlockEncoder encoder;
    BitWriter bits;
    MatchFinder finder;
    const char* check_text; // null while every internal check held, else the last failed check
};

static_assert(sizeof(CompressorState) < 600 * 1024, "the state is made once per ZIP entry");

// Sets up the bit writer on the caller's output buffer. capacity must be at least 2;
// flush_allowed lets the writer hand the buffer over at byte alignments (always true here).
void bitwriter_init(CompressorState* state, uint8_t* buffer, uint32_t capacity, bool flush_allowed);

// Builds the code tables and the fixed trees and starts the first block.
void ct_init(CompressorState* state);

// Prepares the match finder for `level` and reads the first input through read_input. A level
// outside 1..8 records "bad pack level" (the run still completes). Sets state->level to `level`,
// so that the finder, the loop choice and the block-end rule follow one value. Adds the general
// purpose flag bits of the level to *flags (0x0004 up to level 2, 0x0002 from level 8); flags may
// be null.
void match_init(CompressorState* state, int32_t level, uint16_t* flags);

// Compresses the whole input (levels 1 to 3 through compress_greedy) and returns the number of
// compressed bytes, the final block padded to a whole byte. Every byte has been handed to
// write_output when it returns.
uint32_t compress_lazy(CompressorState* state);

// The greedy loop of levels 1 to 3; compress_lazy calls it for those levels.
uint32_t compress_greedy(CompressorState* state);

// Adds one symbol to the current block: a literal byte `value` when distance is 0, otherwise a
// match of value + 3 bytes (0 ≤ value ≤ 255) at distance 1..32506. Returns true when the block
// should be emitted now.
bool ct_tally(CompressorState* state, uint32_t distance, uint32_t value);

// Sends the current block and starts the next. input points at the block's input bytes in the
// window (null when they are no longer there: then the block cannot be stored), input_length is
// their count, last marks the final block (then the stream is padded to a byte and handed over).
// Returns the compressed bytes produced so far, the whole stream's size after the last block.
uint32_t emit_block(CompressorState* state, uint8_t* input, uint32_t input_length, bool last);
