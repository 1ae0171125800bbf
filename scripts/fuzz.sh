#!/usr/bin/env bash
# Builds the melody file decoder fuzzer with clang and runs it on the committed corpus.
#   scripts/fuzz.sh [seconds] [--merge]
# seconds  how long to fuzz (default 60)
# --merge  afterwards rebuild tests/store/corpus as the smallest set that keeps the coverage
# New inputs go to build/fuzz/corpus; the committed corpus is only read unless --merge is given.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
merge=0
for argument in "$@"; do
    case "$argument" in
    --merge) merge=1 ;;
    *[!0-9]* | "") echo "usage: $0 [seconds] [--merge]" >&2; exit 2 ;;
    *) seconds=$argument ;;
    esac
done

if ! command -v clang++ >/dev/null; then
    echo "clang++ is missing: apt-get install -y clang libclang-rt-14-dev" >&2
    exit 1
fi

out=build/fuzz
committed=tests/store/corpus
mkdir -p "$out/corpus" "$committed"

clang++ -std=c++20 -g -O1 -I. \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer \
    tests/fuzz/decode_fuzzer.cpp store/MelodyCodec.cpp -o "$out/decode_fuzzer"

# Large enough for a one- or two-column file with its raw cell block.
max_len=8192
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

"$out/decode_fuzzer" -max_len=$max_len -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$out/" "$out/corpus" "$committed"

if [ "$merge" = 1 ]; then
    # Minimise: only inputs that add coverage, old and new together, replace the committed set.
    merged="$out/merged"
    rm -rf "$merged"
    mkdir -p "$merged"
    "$out/decode_fuzzer" -max_len=$max_len -merge=1 "$merged" "$committed" "$out/corpus"
    rm -f "$committed"/*
    cp "$merged"/* "$committed"/
    echo "$(ls "$committed" | wc -l) inputs in $committed"
fi
