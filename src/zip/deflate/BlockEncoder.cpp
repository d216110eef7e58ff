// The block encoder. The match finder tallies every literal and match of a block into sym_buf,
// dist_buf and kind_bits while the frequencies of the literal/length and distance trees are
// counted. At the block's end a Huffman tree is built for each (a heap of nodes by frequency,
// ties broken by subtree depth so that flat trees win), lengths over the limit are pushed back
// into it, and the code lengths themselves are described with a third, small tree. The exact bit
// cost of the block with these dynamic codes and with the fixed codes is counted along the way,
// so the block goes out in whichever form is smallest: stored, fixed or dynamic.

#include <algorithm>
#include <iterator>

#include "zip/deflate/DeflateInternal.h"

namespace {

// Node n sorts before node m: a lower frequency, or an equal one with a depth no greater.
bool smaller(const TreeNode* tree, const uint8_t* depth, int32_t n, int32_t m) {
    return tree[n].freq < tree[m].freq || (tree[n].freq == tree[m].freq && depth[n] <= depth[m]);
}

// The length and distance code tables and the fixed trees; the same for every stream.
void build_tables(CompressorState* state) {
    BlockEncoder& encoder = state->encoder;

    uint32_t length = 0;
    for (uint32_t code = 0; code < LENGTH_CODES - 1; ++code) {
        encoder.len_base[code] = static_cast<int32_t>(length);
        for (uint32_t n = 0; n < (1u << extra_len_bits[code]); ++n) {
            encoder.len_code_of[length++] = static_cast<uint8_t>(code);
        }
    }
    deflate_check(state, length == 256, "ct_init: length != 256");
    // Length 258 (255 here) has a code of its own, 285, without extra bits, although code 284
    // with its five extra bits could express it too (RFC 1951, section 3.2.5).
    encoder.len_code_of[255] = LENGTH_CODES - 1;

    uint32_t dist = 0;
    uint32_t code = 0;
    for (; code < 16; ++code) {
        encoder.dist_base[code] = static_cast<int32_t>(dist);
        for (uint32_t n = 0; n < (1u << extra_dist_bits[code]); ++n) {
            encoder.dist_code_of[dist++] = static_cast<uint8_t>(code);
        }
    }
    deflate_check(state, dist == 256, "ct_init: dist != 256");
    // From distance 257 on, every code covers a multiple of 128 distances: one entry per 128.
    dist >>= 7;
    for (; code < D_CODES; ++code) {
        encoder.dist_base[code] = static_cast<int32_t>(dist << 7);
        for (uint32_t n = 0; n < (1u << (extra_dist_bits[code] - 7)); ++n) {
            encoder.dist_code_of[256 + dist++] = static_cast<uint8_t>(code);
        }
    }
    deflate_check(state, dist == 256, "ct_init: 256+dist != 512");

    // The fixed literal/length codes (RFC 1951, section 3.2.6).
    std::fill(std::begin(encoder.count_by_len), std::end(encoder.count_by_len), 0);
    auto fixed_length = [&](uint32_t from, uint32_t to, uint16_t len) {
        for (uint32_t n = from; n <= to; ++n) {
            encoder.fixed_lit_tree[n].len = len;
            ++encoder.count_by_len[len];
        }
    };
    fixed_length(0, 143, 8);
    fixed_length(144, 255, 9);
    fixed_length(256, 279, 7);
    fixed_length(280, 287, 8);
    gen_codes(state, encoder.fixed_lit_tree, L_CODES + 1);

    for (uint32_t n = 0; n < D_CODES; ++n) {
        encoder.fixed_dist_tree[n].len = 5;
        encoder.fixed_dist_tree[n].code = static_cast<uint16_t>(reverse_bits(n, 5));
    }
}

} // namespace

void ct_init(CompressorState* state) {
    BlockEncoder& encoder = state->encoder;
    encoder.out_bytes = 0;
    encoder.out_bits = 0;
    encoder.lit_info = {encoder.lit_tree,
                        encoder.fixed_lit_tree,
                        extra_len_bits,
                        LITERALS + 1,
                        L_CODES,
                        MAX_BITS,
                        0};
    encoder.dist_info = {
        encoder.dist_tree, encoder.fixed_dist_tree, extra_dist_bits, 0, D_CODES, MAX_BITS, 0};
    encoder.bitlen_info = {encoder.bitlen_tree, nullptr, extra_bitlen_bits, 0, BL_CODES,
                           MAX_BL_BITS,         0};
    if (encoder.fixed_dist_tree[0].len == 0) {
        build_tables(state);
    }
    reset_block(state);
}

void reset_block(CompressorState* state) {
    BlockEncoder& encoder = state->encoder;
    for (uint32_t n = 0; n < L_CODES; ++n) {
        encoder.lit_tree[n].freq = 0;
    }
    for (uint32_t n = 0; n < D_CODES; ++n) {
        encoder.dist_tree[n].freq = 0;
    }
    for (uint32_t n = 0; n < BL_CODES; ++n) {
        encoder.bitlen_tree[n].freq = 0;
    }
    encoder.lit_tree[END_BLOCK].freq = 1;
    encoder.dyn_cost = 0;
    encoder.fixed_cost = 0;
    encoder.last_lit = 0;
    encoder.last_dist = 0;
    encoder.kind_count = 0;
    encoder.kind_byte = 0;
    encoder.kind_mask = 1;
}

bool ct_tally(CompressorState* state, uint32_t distance, uint32_t value) {
    BlockEncoder& encoder = state->encoder;
    encoder.sym_buf[encoder.last_lit++] = static_cast<uint8_t>(value);
    if (distance == 0) {
        ++encoder.lit_tree[value & 0xFF].freq;
    } else {
        const uint32_t dist = distance - 1;
        const uint32_t code = d_code(encoder, dist);
        deflate_check(state, dist < MAX_DIST && value <= 255 && code < D_CODES,
                      "ct_tally: bad match");
        ++encoder.lit_tree[encoder.len_code_of[value & 0xFF] + LITERALS + 1].freq;
        ++encoder.dist_tree[code].freq;
        encoder.dist_buf[encoder.last_dist++] = static_cast<uint16_t>(dist);
        encoder.kind_byte |= encoder.kind_mask;
    }
    encoder.kind_mask = static_cast<uint8_t>(encoder.kind_mask << 1);
    if ((encoder.last_lit & 7) == 0) {
        encoder.kind_bits[encoder.kind_count++] = encoder.kind_byte;
        encoder.kind_byte = 0;
        encoder.kind_mask = 1;
    }

    // From level 3 on, every 4096 symbols: a block of mostly literals that already compresses to
    // less than half its input ends early, so that the next block gets codes of its own.
    if (state->level > 2 && (encoder.last_lit & 0xFFF) == 0) {
        uint32_t estimate = encoder.last_lit * 8;
        for (uint32_t code = 0; code < D_CODES; ++code) {
            estimate += encoder.dist_tree[code].freq * (5u + extra_dist_bits[code]);
        }
        estimate >>= 3;
        const int64_t input =
            static_cast<int64_t>(state->finder.cur_pos) - state->finder.block_origin;
        if (encoder.last_dist < encoder.last_lit / 2 && estimate < input / 2) {
            return true;
        }
    }
    return encoder.last_lit == LIT_BUFSIZE - 1 || encoder.last_dist == DIST_BUFSIZE;
}

uint32_t emit_block(CompressorState* state, uint8_t* input, uint32_t input_length, bool last) {
    BlockEncoder& encoder = state->encoder;
    encoder.kind_bits[encoder.kind_count] = encoder.kind_byte;

    make_tree(state, &encoder.lit_info);
    make_tree(state, &encoder.dist_info);
    const int32_t max_index = make_length_tree(state);

    // Sizes in bytes with the 3 header bits; fixed codes win a tie.
    const uint32_t dyn_bytes = (encoder.dyn_cost + 3 + 7) >> 3;
    const uint32_t fixed_bytes = (encoder.fixed_cost + 3 + 7) >> 3;
    const uint32_t best = std::min(fixed_bytes, dyn_bytes);

    if (input_length + 4 <= best && input != nullptr) {
        // Stored: the header, alignment, LEN and NLEN, then the bytes themselves.
        put_bits(state, last ? 1 : 0, 3);
        encoder.out_bytes += ((encoder.out_bits + 3 + 7) >> 3) + input_length + 4;
        encoder.out_bits = 0;
        put_stored_block(state, input, input_length, true);
    } else {
        if (fixed_bytes == best) {
            put_bits(state, 2 + (last ? 1 : 0), 3);
            send_block_symbols(state, encoder.fixed_lit_tree, encoder.fixed_dist_tree);
            encoder.out_bits += 3 + encoder.fixed_cost;
        } else {
            put_bits(state, 4 + (last ? 1 : 0), 3);
            send_tree_header(state, encoder.lit_info.max_code + 1, encoder.dist_info.max_code + 1,
                             max_index + 1);
            send_block_symbols(state, encoder.lit_tree, encoder.dist_tree);
            encoder.out_bits += 3 + encoder.dyn_cost;
        }
        encoder.out_bytes += encoder.out_bits >> 3;
        encoder.out_bits &= 7;
    }
    deflate_check(state, encoder.out_bytes * 8 + encoder.out_bits == state->bits.bits_total,
                  "bad compressed size");
    reset_block(state);

    if (last) {
        align_to_byte(state);
        encoder.out_bits += 7;
    }
    return encoder.out_bytes + (encoder.out_bits >> 3);
}

void make_tree(CompressorState* state, TreeInfo* info) {
    BlockEncoder& encoder = state->encoder;
    TreeNode* tree = info->tree;
    const TreeNode* fixed = info->fixed_tree;
    int32_t* heap = encoder.heap;
    uint8_t* depth = encoder.node_depth;

    // The used elements form the initial heap, in element order.
    int32_t max_code = -1;
    encoder.heap_count = 0;
    encoder.heap_top = HEAP_SIZE;
    for (int32_t n = 0; n < info->elems; ++n) {
        if (tree[n].freq != 0) {
            heap[++encoder.heap_count] = max_code = n;
            depth[n] = 0;
        } else {
            tree[n].len = 0;
        }
    }

    // A code needs two elements: add unused ones with frequency 1, taking back the cost that
    // limit_lengths will count for them, since they are never sent.
    while (encoder.heap_count < 2) {
        const int32_t node = heap[++encoder.heap_count] = (max_code < 2 ? ++max_code : 0);
        tree[node].freq = 1;
        depth[node] = 0;
        --encoder.dyn_cost;
        if (fixed != nullptr) {
            encoder.fixed_cost -= fixed[node].len;
        }
    }
    info->max_code = max_code;

    for (int32_t k = encoder.heap_count / 2; k >= 1; --k) {
        sift_down(state, tree, k);
    }

    // Join the two smallest nodes until one is left. Both go to the sorted end of the heap, so
    // that it ends up holding every node by decreasing frequency, the root first.
    int32_t node = info->elems;
    do {
        const int32_t n = heap[1];
        heap[1] = heap[encoder.heap_count--];
        sift_down(state, tree, 1);
        const int32_t m = heap[1];
        heap[--encoder.heap_top] = n;
        heap[--encoder.heap_top] = m;
        tree[node].freq = static_cast<uint16_t>(tree[n].freq + tree[m].freq);
        depth[node] = static_cast<uint8_t>(std::max(depth[n], depth[m]) + 1);
        tree[n].parent = tree[m].parent = static_cast<uint16_t>(node);
        heap[1] = node++;
        sift_down(state, tree, 1);
    } while (encoder.heap_count >= 2);
    heap[--encoder.heap_top] = heap[1];

    limit_lengths(state, info);
    gen_codes(state, tree, max_code);
}

void sift_down(CompressorState* state, const TreeNode* tree, int32_t k) {
    BlockEncoder& encoder = state->encoder;
    int32_t* heap = encoder.heap;
    const int32_t v = heap[k];
    int32_t j = k << 1;
    while (j <= encoder.heap_count) {
        if (j < encoder.heap_count && smaller(tree, encoder.node_depth, heap[j + 1], heap[j])) {
            ++j;
        }
        if (smaller(tree, encoder.node_depth, v, heap[j])) {
            break;
        }
        heap[k] = heap[j];
        k = j;
        j <<= 1;
    }
    heap[k] = v;
}

void limit_lengths(CompressorState* state, TreeInfo* info) {
    BlockEncoder& encoder = state->encoder;
    TreeNode* tree = info->tree;
    const TreeNode* fixed = info->fixed_tree;
    const int32_t max_code = info->max_code;
    const int32_t max_length = info->max_length;
    const int32_t* heap = encoder.heap;
    uint16_t* count = encoder.count_by_len;

    // Lengths from the root down: the sorted heap holds every parent before its children. Each
    // length cut to the limit is one overflow; leaves are counted and costed.
    std::fill(std::begin(encoder.count_by_len), std::end(encoder.count_by_len), 0);
    tree[heap[encoder.heap_top]].len = 0;
    int32_t overflow = 0;
    for (int32_t h = encoder.heap_top + 1; h < static_cast<int32_t>(HEAP_SIZE); ++h) {
        const int32_t n = heap[h];
        int32_t bits = tree[tree[n].parent].len + 1;
        if (bits > max_length) {
            bits = max_length;
            ++overflow;
        }
        tree[n].len = static_cast<uint16_t>(bits);
        if (n > max_code) {
            continue;
        }
        ++count[bits];
        const uint32_t extra = n >= info->extra_base ? info->extra_bits[n - info->extra_base] : 0;
        const uint32_t freq = tree[n].freq;
        encoder.dyn_cost += freq * (static_cast<uint32_t>(bits) + extra);
        if (fixed != nullptr) {
            encoder.fixed_cost += freq * (fixed[n].len + extra);
        }
    }
    if (overflow == 0) {
        return;
    }

    // Make room at the limit: move one code from the longest length below it one level down,
    // which frees the place for two codes; each round absorbs two overflows.
    do {
        int32_t bits = max_length - 1;
        while (count[bits] == 0) {
            --bits;
        }
        --count[bits];
        count[bits + 1] += 2;
        --count[max_length];
        overflow -= 2;
    } while (overflow > 0);

    // Hand the lengths out again, longest first, to the leaves by increasing frequency.
    int32_t h = HEAP_SIZE;
    for (int32_t bits = max_length; bits != 0; --bits) {
        int32_t n = count[bits];
        while (n != 0) {
            const int32_t m = heap[--h];
            if (m > max_code) {
                continue;
            }
            if (tree[m].len != bits) {
                encoder.dyn_cost += static_cast<uint32_t>((bits - tree[m].len) *
                                                          static_cast<int32_t>(tree[m].freq));
                tree[m].len = static_cast<uint16_t>(bits);
            }
            --n;
        }
    }
}

void gen_codes(CompressorState* state, TreeNode* tree, int32_t max_code) {
    const uint16_t* count = state->encoder.count_by_len;
    uint32_t next_code[MAX_BITS + 1] = {};
    uint32_t code = 0;
    for (uint32_t bits = 1; bits <= MAX_BITS; ++bits) {
        code = (code + count[bits - 1]) << 1;
        next_code[bits] = code;
    }
    deflate_check(state, code + count[MAX_BITS] - 1 == (1u << MAX_BITS) - 1,
                  "inconsistent bit counts");
    for (int32_t n = 0; n <= max_code; ++n) {
        const uint32_t len = tree[n].len;
        if (len == 0) {
            continue;
        }
        tree[n].code = static_cast<uint16_t>(reverse_bits(next_code[len]++, len));
    }
}

namespace {

// The run rules shared by counting and sending the code lengths of a tree (RFC 1951, section
// 3.2.7): a run of equal lengths becomes single codes when short, else a repeat code.
struct RunLimits {
    int32_t max_count;
    int32_t min_count;
};

RunLimits limits_after(int32_t curlen, int32_t nextlen) {
    if (nextlen == 0) {
        return {138, 3};
    }
    if (curlen == nextlen) {
        return {6, 3};
    }
    return {7, 4};
}

RunLimits first_limits(int32_t firstlen) {
    return firstlen == 0 ? RunLimits{138, 3} : RunLimits{7, 4};
}

} // namespace

void count_length_runs(CompressorState* state, TreeNode* tree, int32_t max_code) {
    TreeNode* bitlen = state->encoder.bitlen_tree;
    int32_t prevlen = -1;
    int32_t nextlen = tree[0].len;
    int32_t count = 0;
    RunLimits limits = first_limits(nextlen);
    tree[max_code + 1].len = 0xFFFF; // end guard, read by both walks
    for (int32_t n = 0; n <= max_code; ++n) {
        const int32_t curlen = nextlen;
        nextlen = tree[n + 1].len;
        if (++count < limits.max_count && curlen == nextlen) {
            continue;
        }
        if (count < limits.min_count) {
            bitlen[curlen].freq = static_cast<uint16_t>(bitlen[curlen].freq + count);
        } else if (curlen != 0) {
            if (curlen != prevlen) {
                ++bitlen[curlen].freq;
            }
            ++bitlen[REP_3_6].freq;
        } else if (count <= 10) {
            ++bitlen[REPZ_3_10].freq;
        } else {
            ++bitlen[REPZ_11_138].freq;
        }
        count = 0;
        prevlen = curlen;
        limits = limits_after(curlen, nextlen);
    }
}

void send_length_runs(CompressorState* state, const TreeNode* tree, int32_t max_code) {
    const TreeNode* bitlen = state->encoder.bitlen_tree;
    int32_t prevlen = -1;
    int32_t nextlen = tree[0].len;
    int32_t count = 0;
    RunLimits limits = first_limits(nextlen);
    for (int32_t n = 0; n <= max_code; ++n) {
        const int32_t curlen = nextlen;
        nextlen = tree[n + 1].len;
        if (++count < limits.max_count && curlen == nextlen) {
            continue;
        }
        if (count < limits.min_count) {
            do {
                send_code(state, curlen, bitlen);
            } while (--count != 0);
        } else if (curlen != 0) {
            if (curlen != prevlen) {
                send_code(state, curlen, bitlen);
                --count;
            }
            deflate_check(state, count >= 3 && count <= 6, " 3_6?");
            send_code(state, REP_3_6, bitlen);
            put_bits(state, count - 3, 2);
        } else if (count <= 10) {
            send_code(state, REPZ_3_10, bitlen);
            put_bits(state, count - 3, 3);
        } else {
            send_code(state, REPZ_11_138, bitlen);
            put_bits(state, count - 11, 7);
        }
        count = 0;
        prevlen = curlen;
        limits = limits_after(curlen, nextlen);
    }
}

int32_t make_length_tree(CompressorState* state) {
    BlockEncoder& encoder = state->encoder;
    count_length_runs(state, encoder.lit_tree, encoder.lit_info.max_code);
    count_length_runs(state, encoder.dist_tree, encoder.dist_info.max_code);
    make_tree(state, &encoder.bitlen_info);

    // Trailing code-length codes of length 0 are not sent, but at least four are.
    int32_t max_index = BL_CODES - 1;
    while (max_index >= 3 && encoder.bitlen_tree[bitlen_order[max_index]].len == 0) {
        --max_index;
    }
    // 3 bits per code-length code, and 5 + 5 + 4 bits for the three counts.
    encoder.dyn_cost += 3 * (max_index + 1) + 5 + 5 + 4;
    return max_index;
}

void send_tree_header(CompressorState* state, int32_t lcodes, int32_t dcodes, int32_t blcodes) {
    BlockEncoder& encoder = state->encoder;
    deflate_check(state, lcodes >= 257 && dcodes >= 1 && blcodes >= 4, "not enough codes");
    deflate_check(state,
                  lcodes <= static_cast<int32_t>(L_CODES) &&
                      dcodes <= static_cast<int32_t>(D_CODES) &&
                      blcodes <= static_cast<int32_t>(BL_CODES),
                  "too many codes");
    put_bits(state, lcodes - 257, 5);
    put_bits(state, dcodes - 1, 5);
    put_bits(state, blcodes - 4, 4);
    for (int32_t rank = 0; rank < blcodes; ++rank) {
        put_bits(state, encoder.bitlen_tree[bitlen_order[rank]].len, 3);
    }
    send_length_runs(state, encoder.lit_tree, lcodes - 1);
    send_length_runs(state, encoder.dist_tree, dcodes - 1);
}

void send_block_symbols(CompressorState* state, const TreeNode* ltree, const TreeNode* dtree) {
    const BlockEncoder& encoder = state->encoder;
    uint32_t dist_index = 0;
    uint32_t kinds = 0;
    for (uint32_t sym = 0; sym < encoder.last_lit; ++sym) {
        if ((sym & 7) == 0) {
            kinds = encoder.kind_bits[sym >> 3];
        }
        const uint32_t value = encoder.sym_buf[sym];
        if ((kinds & 1) == 0) {
            send_code(state, value, ltree);
        } else {
            uint32_t code = encoder.len_code_of[value];
            send_code(state, code + LITERALS + 1, ltree);
            uint32_t extra = extra_len_bits[code];
            if (extra != 0) {
                put_bits(state, value - encoder.len_base[code], extra);
            }
            const uint32_t dist = encoder.dist_buf[dist_index++];
            code = d_code(encoder, dist);
            deflate_check(state, code < D_CODES, "bad d_code");
            send_code(state, code, dtree);
            extra = extra_dist_bits[code];
            if (extra != 0) {
                put_bits(state, dist - encoder.dist_base[code], extra);
            }
        }
        kinds >>= 1;
    }
    send_code(state, END_BLOCK, ltree);
}
