#!/usr/bin/env bash
# Builds the three inputs of bench_deflate, 24 MiB each, from files that a Debian machine has:
#   text.bin    the Python standard library's sources;
#   binary.bin  shared libraries;
#   mixed.bin   programs and everything under /usr/share (documents, message catalogues, data),
#               ordered by file name so that the kinds alternate.
# File lists are sorted in the C locale, so the same machine image gives the same bytes. Already
# compressed files, and anything of another compressor, are left out.
set -euo pipefail
out=${1:?usage: make-bench-corpus.sh FOLDER}
size=$((24 * 1024 * 1024))
export LC_ALL=C
mkdir -p "$out"

skip='(zlib|zip|gzip|deflate|inflate|lzma|xz|bz2|zstd|brotli|lz4|libz\.|compress)'

list=$(mktemp)
trap 'rm -f "$list"' EXIT

# Concatenates the files named (NUL-separated) in $list and keeps the first $size bytes. Reading
# stops early, so the pipe's broken-pipe ending is expected.
first_bytes() {
    grep -zvE "$skip" "$list" | xargs -0 cat -- 2>/dev/null | head -c "$size" || true
}

find /usr/lib/python3* -type f -name '*.py' -print0 | sort -z >"$list"
first_bytes >"$out/text.bin"

find /usr/lib -type f -name '*.so*' -print0 | sort -z >"$list"
first_bytes >"$out/binary.bin"

find /usr/bin /usr/share -type f \
    ! -name '*.gz' ! -name '*.xz' ! -name '*.bz2' ! -name '*.zst' ! -name '*.png' ! -name '*.jpg' \
    -printf '%f/%p\0' | sort -z | sed -z 's#^[^/]*/#/#' >"$list"
first_bytes >"$out/mixed.bin"

for file in text binary mixed; do
    bytes=$(stat -c %s "$out/$file.bin")
    if ((bytes < size)); then
        echo "make-bench-corpus: $out/$file.bin has only $bytes bytes" >&2
        exit 1
    fi
done
(cd "$out" && sha256sum text.bin binary.bin mixed.bin)
