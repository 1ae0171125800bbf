#!/usr/bin/env bash
# Builds a fuzzer with clang and runs it on its committed corpus.
#   scripts/fuzz.sh [seconds] [--merge] [--rtttl | --midi | --play | --fmf | --journal]
# seconds  how long to fuzz (default 60)
# --merge  afterwards rebuild the committed corpus as the smallest set that keeps the coverage
# --rtttl  fuzz the RTTTL reader (corpus tests/convert/corpus) instead of the melody file
#          decoder (corpus tests/store/corpus)
# --midi   fuzz the MIDI reader and import (corpus tests/convert/midi-corpus)
# --play   fuzz the PLAY reader and import, and the writer on what they make (corpus
#          tests/convert/play-corpus)
# --fmf    fuzz the Flipper music file reader and import (corpus tests/convert/fmf-corpus)
# --journal fuzz the recovery journal's reader and replay (corpus tests/store/journal-corpus)
# New inputs go to build/fuzz/<name>-corpus; the committed corpus is only read unless --merge
# is given.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=60
merge=0
target=decode
for argument in "$@"; do
    case "$argument" in
    --merge) merge=1 ;;
    --rtttl) target=rtttl ;;
    --midi) target=midi ;;
    --play) target=play ;;
    --fmf) target=fmf ;;
    --journal) target=journal ;;
    *[!0-9]* | "") echo "usage: $0 [seconds] [--merge] [--rtttl | --midi | --play | --fmf | --journal]" >&2; exit 2 ;;
    *) seconds=$argument ;;
    esac
done

if ! command -v clang++ >/dev/null; then
    echo "clang++ is missing: apt-get install -y clang libclang-rt-14-dev" >&2
    exit 1
fi

out=build/fuzz
if [ "$target" = journal ]; then
    committed=tests/store/journal-corpus
    sources="store/Journal.cpp $(ls model/*.cpp | tr '\n' ' ')"
    max_len=8192
elif [ "$target" != decode ]; then
    committed=tests/convert/corpus
    [ "$target" = midi ] && committed=tests/convert/midi-corpus
    [ "$target" = play ] && committed=tests/convert/play-corpus
    [ "$target" = fmf ] && committed=tests/convert/fmf-corpus
    # The readers' parsing and import alone: the format table and its file readers reach into
    # the store, the sound and the file system, which the fuzzers do not use.
    sources="$(ls convert/*.cpp | grep -vE '^convert/(Formats|SongFiles)\.cpp$' | tr '\n' ' ')"
    sources="$sources model/PitchTable.cpp model/Marks.cpp sound/ToneList.cpp"
    # Room for a few hundred notes or events; the readers' own limits are tested directly.
    max_len=4096
else
    committed=tests/store/corpus
    sources="store/MelodyCodec.cpp"
    # Large enough for a one- or two-column file with its raw cell block.
    max_len=8192
fi
fuzzer="$out/${target}_fuzzer"
found="$out/${target}-corpus"
mkdir -p "$found" "$committed"

# shellcheck disable=SC2086
clang++ -std=c++20 -g -O1 -I. \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer \
    "tests/fuzz/${target}_fuzzer.cpp" $sources -o "$fuzzer"

export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

"$fuzzer" -max_len=$max_len -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$out/" "$found" "$committed"

if [ "$merge" = 1 ]; then
    # Minimise: only inputs that add coverage, old and new together, replace the committed set.
    merged="$out/merged"
    rm -rf "$merged"
    mkdir -p "$merged"
    "$fuzzer" -max_len=$max_len -merge=1 "$merged" "$committed" "$found"
    rm -f "$committed"/*
    cp "$merged"/* "$committed"/
    echo "$(ls "$committed" | wc -l) inputs in $committed"
fi
