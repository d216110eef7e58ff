#pragma once
// The block encoder's state: the symbols of the current block, the three Huffman trees built for
// it, and the tables that map lengths and distances to their codes.

#include <cstdint>

#include "zip/deflate/DeflateConstants.h"

// One node of a Huffman tree. While a tree is built the node holds its frequency and its parent;
// afterwards the same two fields hold its code (bits reversed, ready to send) and its length.
struct TreeNode {
    union {
        uint16_t freq;
        uint16_t code;
    };
    union {
        uint16_t parent;
        uint16_t len;
    };
};

// What make_tree needs to know about one of the three dynamic trees.
struct TreeInfo {
    TreeNode* tree;
    const TreeNode* fixed_tree; // the fixed codes for the same elements; null for code lengths
    const uint8_t* extra_bits;  // extra bits per element from extra_base on
    int32_t extra_base;         // first element with an entry in extra_bits
    int32_t elems;              // number of elements: 286, 30 or 19
    int32_t max_length;         // longest code allowed: 15, 15 or 7
    int32_t max_code;           // largest element with a non-zero frequency, set by make_tree
};

struct BlockEncoder {
    TreeNode lit_tree[HEAP_SIZE];           // literal/length leaves and the inner nodes
    TreeNode dist_tree[2 * D_CODES + 1];    // distance leaves and the inner nodes
    TreeNode fixed_lit_tree[L_CODES + 2];   // fixed literal/length codes (288)
    TreeNode fixed_dist_tree[D_CODES];      // fixed distance codes
    TreeNode bitlen_tree[2 * BL_CODES + 1]; // code-length leaves and the inner nodes
    TreeInfo lit_info;
    TreeInfo dist_info;
    TreeInfo bitlen_info;
    uint16_t count_by_len[MAX_BITS + 1]; // codes of each length 0..15
    int32_t heap[HEAP_SIZE];             // node numbers: a heap at 1..heap_count, sorted part at
                                         // heap_top..572 (decreasing frequency)
    int32_t heap_count;
    int32_t heap_top;
    uint8_t node_depth[HEAP_SIZE];   // depth of each subtree, to break frequency ties
    uint8_t len_code_of[256];        // length − 3 → length code 0..28
    uint8_t dist_code_of[512];       // distance − 1 → distance code, see d_code
    int32_t len_base[LENGTH_CODES];  // first length − 3 of each length code
    int32_t dist_base[D_CODES];      // first distance − 1 of each distance code
    uint8_t sym_buf[LIT_BUFSIZE];    // per symbol: the literal byte or the match length − 3
    uint16_t dist_buf[DIST_BUFSIZE]; // per match: the distance − 1
    uint8_t
        kind_bits[LIT_BUFSIZE / 8]; // one bit per symbol, 1 for a match, least significant first
    uint32_t last_lit;              // symbols in the block
    uint32_t last_dist;             // matches in the block
    uint32_t kind_count;            // full bytes in kind_bits
    uint8_t kind_byte;              // the kind byte being filled
    uint8_t kind_mask;              // its bit for the next symbol
    uint32_t dyn_cost;   // bits of the block with dynamic trees, tree description included
    uint32_t fixed_cost; // bits of the block with the fixed codes
    uint32_t out_bytes;  // compressed length so far in whole bytes
    uint32_t out_bits;   // and the bits beyond them
};
