#!/usr/bin/env bash
# vemo-tool convert: melody files to RTTTL and the Flipper's files and back, formats by name or by
# option, refusals.
# Usage: test_convert.sh RUNTIME_DIR SOURCE_DIR
set -uo pipefail

# shellcheck source=tool_runs.sh
source "$(dirname "$0")/tool_runs.sh"

# --- there and back: the same tones, as RTTTL and as a Flipper music file ----------------------
for name in scale ode fanfare; do
    for ext in rtttl fmf; do
        run convert "$examples/$name.vemo" "$work/$name.$ext"
        [ "$code" -eq 0 ] || fail "$name.vemo to .$ext exited $code: $(cat "$work/err")"
        run convert "$work/$name.$ext" "$work/$name-$ext.vemo"
        [ "$code" -eq 0 ] || fail "$name.$ext to .vemo exited $code: $(cat "$work/err")"
        grep -qF "0 notes moved by octaves" "$work/out" || fail "$name.$ext import reports: $(cat "$work/out")"
        "$tool" tones "$examples/$name.vemo" >"$work/tones-before"
        "$tool" tones "$work/$name-$ext.vemo" >"$work/tones-after"
        cmp -s "$work/tones-before" "$work/tones-after" ||
            fail "$name comes back from .$ext with other tones: $(diff "$work/tones-before" "$work/tones-after" | head -5)"
    done
    grep -qE "^$name:d=[0-9]+,o=[4-7],b=[0-9]+:" "$work/$name.rtttl" ||
        fail "$name.rtttl begins: $(head -c 40 "$work/$name.rtttl")"
done
# 150 ms columns are sixteenths at 100 beats a minute, eighths at 200; most notes are in octave 4.
grep -q '^scale:d=16,o=4,b=100:' "$work/scale.rtttl" || fail "scale.rtttl: $(head -c 40 "$work/scale.rtttl")"
grep -qx 'BPM: 100' "$work/scale.fmf" && grep -qx 'Octave: 4' "$work/scale.fmf" || fail "scale.fmf: $(cat "$work/scale.fmf")"
run convert --grid 8 "$examples/scale.vemo" "$work/eighths.txt"
grep -q '^eighths:d=8,o=4,b=200:' "$work/eighths.txt" || fail "--grid 8 wrote: $(head -c 40 "$work/eighths.txt")"
# What the Flipper cannot play exactly is told, and --strict refuses it.
run convert --strict "$examples/fanfare.vemo" "$work/strict.fmf"
[ "$code" -eq 1 ] && [ ! -e "$work/strict.fmf" ] && grep -qF "BPM 167: the melody lasts" "$work/err" ||
    fail "--strict to .fmf exited $code: $(cat "$work/err")"

# --- formats by option; an import's report -----------------------------------------------------
printf 'Tune : d=8,o=5,b=125 : c, d, E6., 32p, 2C#' >"$work/tune.dat"
run convert --from-format rtttl --to-format vemo "$work/tune.dat" "$work/tune.out"
[ "$code" -eq 0 ] || fail "formats by option exited $code: $(cat "$work/err")"
[ "$(cat "$work/out")" = "5 notes and rests at 120 ms per column in 32 columns; largest snapping error 60 ms; 0 notes moved by octaves" ] ||
    fail "the import reports: $(cat "$work/out")"
"$tool" check "$work/tune.out" | grep -q '^ok: 32 columns, 96 rows, 120 ms per column' ||
    fail "the imported melody does not check: $("$tool" check "$work/tune.out" 2>&1)"

# --- MIDI: a file from another tool, the choices, and an export another reader agrees with -------
midi="$2/tests/convert/midi"
run convert "$midi/mido-tempo-map.mid" "$work/tempo.vemo"
[ "$code" -eq 0 ] || fail "MIDI import exited $code: $(cat "$work/err")"
grep -qF '* track 2 channel 1: 8 notes "Melody"' "$work/out" &&
    grep -qF '  track 3 channel 10: 20 notes "Drums" (drums)' "$work/out" &&
    grep -qF "8 notes at 125 ms per column in 32 columns; largest snapping error 0 ms; 1 notes moved by octaves" "$work/out" ||
    fail "MIDI import reports: $(cat "$work/out")"
run convert --track 3 --grid 32 "$midi/mido-tempo-map.mid" "$work/drums.vemo"
grep -qF '* track 3 channel 10' "$work/out" && grep -qF "20 notes at 63 ms per column" "$work/out" ||
    fail "--track 3 --grid 32 reports: $(cat "$work/out")"
"$tool" tones "$work/tempo.vemo" | grep -c '^tone' | grep -qx 7 || fail "the highest note wins: $("$tool" tones "$work/tempo.vemo")"
run convert --latest "$midi/mido-tempo-map.mid" "$work/latest.vemo"
"$tool" tones "$work/latest.vemo" | grep -c '^tone' | grep -qx 8 || fail "--latest: $("$tool" tones "$work/latest.vemo")"
# What a file begins with wins over its name.
cp "$midi/mido-tempo-map.mid" "$work/renamed.txt"
run convert "$work/renamed.txt" "$work/renamed.vemo"
[ "$code" -eq 0 ] && cmp -s "$work/tempo.vemo" "$work/renamed.vemo" || fail "a MIDI file named .txt exited $code: $(cat "$work/err")"
run convert "$midi/mido-zero-length.mid" "$work/zero-length.vemo"
grep -qF "5 notes at 125 ms per column in 32 columns; largest snapping error 0 ms; 0 notes moved by octaves; 3 notes have no length and are not heard" "$work/out" ||
    fail "notes without length are reported as: $(cat "$work/out")"
run convert "$midi/mido-silent.mid" "$work/silent.vemo"
[ "$code" -eq 1 ] && [ ! -e "$work/silent.vemo" ] && grep -qF "no notes that sound" "$work/err" ||
    fail "a file of notes without length exited $code: $(cat "$work/err")"
# The tune is taken over block chords, a held high note and a busier bass arpeggio.
for name in chords arpeggio; do
    run convert "$midi/abc2midi-$name.mid" "$work/$name.vemo"
    grep -q '^\* track 2 channel 1: ' "$work/out" || fail "abc2midi-$name.mid takes: $(cat "$work/out")"
done
# Notes on a grid of 104.17 ms land on it exactly; the column's rounding is told apart.
run convert "$midi/mido-uneven-grid.mid" "$work/uneven.vemo"
grep -qxF "14 notes at 104 ms per column in 56 columns; largest snapping error 0 ms; 0 notes moved by octaves; tempo rounded: 104 ms per column for a grid step of 104.17 ms, 0.16 % faster" "$work/out" ||
    fail "a grid of 104.17 ms is reported as: $(cat "$work/out")"
run convert --channel 5 "$midi/mido-tempo-map.mid" "$work/none.vemo"
[ "$code" -eq 1 ] && [ ! -e "$work/none.vemo" ] && grep -qF "no notes on that track and channel" "$work/err" ||
    fail "--channel 5 exited $code: $(cat "$work/err")"

# Written as MIDI, read by Python's mido: each tone the nearest semitone to its frequency and as
# long, each run of rests one pause as long as the run.
run convert "$examples/fanfare.vemo" "$work/fanfare.mid"
[ "$code" -eq 0 ] || fail "fanfare.vemo to MIDI exited $code: $(cat "$work/err")"
"$tool" tones "$examples/fanfare.vemo" >"$work/tones-before"
/usr/bin/python3 - "$work/fanfare.mid" "$work/tones-before" <<'PY' || fail "mido reads fanfare.mid otherwise"
import math, sys, mido
song = mido.MidiFile(sys.argv[1])
assert song.type == 0 and len(song.tracks) == 1, (song.type, len(song.tracks))
heard, now, last_end, started = [], 0.0, 0.0, {}
for message in song:
    now += message.time
    if message.type == 'note_on' and message.velocity > 0:
        if now - last_end > 0.0005:
            heard.append(('rest', None, round((now - last_end) * 1000)))
        started[message.note] = now
    elif message.type in ('note_off', 'note_on'):
        heard.append(('tone', message.note, round((now - started.pop(message.note)) * 1000)))
        last_end = now
expected = []
for line in open(sys.argv[2]):
    kind, *numbers = line.split()
    if kind == 'tone':
        frequency, ms = map(int, numbers)
        expected.append(('tone', round(12 * math.log2(frequency / 440) + 69), ms))
    elif expected[-1][0] == 'rest':
        expected[-1] = ('rest', None, expected[-1][2] + int(numbers[0]))
    else:
        expected.append(('rest', None, int(numbers[0])))
assert heard == expected, (heard, expected)
PY
run convert "$work/fanfare.mid" "$work/fanfare-again.vemo"
"$tool" tones "$work/fanfare-again.vemo" >"$work/tones-after"
cmp -s "$work/tones-before" "$work/tones-after" ||
    fail "fanfare comes back from MIDI with other tones: $(diff "$work/tones-before" "$work/tones-after" | head -5)"
head -c 30 "$midi/mido-tempo-map.mid" >"$work/cut.mid"
run convert "$work/cut.mid" "$work/cut.vemo"
[ "$code" -eq 1 ] && [ ! -e "$work/cut.vemo" ] && grep -qF "cut.mid: refused: track 1 is cut short" "$work/err" ||
    fail "a cut MIDI file exited $code: $(cat "$work/err")"

# --- refusals: exit code, one line naming the file, nothing written -----------------------------
printf 'x:d=4:c,4,e' >"$work/bad.rtttl"
run convert "$work/bad.rtttl" "$work/bad.vemo"
[ "$code" -eq 1 ] && [ ! -e "$work/bad.vemo" ] || fail "a bad ringtone exited $code"
grep -qF "$work/bad.rtttl: refused: stopped at note 2" "$work/err" || fail "a bad ringtone says: $(cat "$work/err")"
head -c 100000 /dev/zero | tr '\0' 'c' >"$work/huge.txt"
run convert "$work/huge.txt" "$work/huge.vemo"
[ "$code" -eq 1 ] && grep -qF "longer than" "$work/err" || fail "a huge text exited $code: $(cat "$work/err")"
run convert "$examples/scale.vemo" "$work/scale.mp3"
[ "$code" -eq 2 ] && grep -qF -- "--to-format" "$work/err" || fail "an unknown extension exited $code: $(cat "$work/err")"
run convert --to-format wav "$examples/scale.vemo" "$work/x.rtttl"
[ "$code" -eq 2 ] && grep -qF "not a format" "$work/err" || fail "an unknown format exited $code: $(cat "$work/err")"
run convert --grid 12 "$examples/scale.vemo" "$work/x.rtttl"
[ "$code" -eq 2 ] && [ ! -e "$work/x.rtttl" ] || fail "--grid 12 exited $code"
cp "$work/tune.dat" "$work/same.rtttl"
run convert "$work/same.rtttl" "$work/same.rtttl"
[ "$code" -eq 2 ] && cmp -s "$work/tune.dat" "$work/same.rtttl" || fail "converting a file onto itself exited $code"
run convert "$work/missing.rtttl" "$work/missing.vemo"
[ "$code" -eq 1 ] && grep -qF "$work/missing.rtttl" "$work/err" || fail "a missing file exited $code"

run convert --help
[ "$code" -eq 0 ] && grep -q "^Usage: vemo-tool convert" "$work/out" && grep -qF -- "--grid" "$work/out" ||
    fail "'convert --help' exited $code and printed: $(cat "$work/out")"

[ $failures -eq 0 ] || exit 1
echo "vemo-tool convert: all checks passed"
