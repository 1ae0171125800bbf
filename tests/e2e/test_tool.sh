#!/usr/bin/env bash
# vemo-tool on the example melodies: check, tones, code, wav and play, and how it fails.
# Usage: test_tool.sh RUNTIME_DIR SOURCE_DIR
set -u

# shellcheck source=tool_runs.sh
source "$(dirname "$0")/tool_runs.sh"

line_count() { grep -c '' "$1"; }

# Little-endian unsigned 32-bit value at a byte offset.
u32_at() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }

# --- check -----------------------------------------------------------------------------------
for name in scale ode fanfare; do
    run check "$examples/$name.vemo"
    [ "$code" -eq 0 ] || fail "check $name.vemo exited $code: $(cat "$work/err")"
    grep -q '^ok' "$work/out" || fail "check $name.vemo printed: $(cat "$work/out")"
done
run check "$examples/scale.vemo"
[ "$(cat "$work/out")" = "ok: 32 columns, 96 rows, 150 ms per column" ] ||
    fail "check scale.vemo describes it as: $(cat "$work/out")"

# A copy cut off inside the dimensions reads a duration of 0.
head -c 40 "$examples/scale.vemo" >"$work/cut.vemo"
# A copy whose header line says another version.
{ printf 'vemo-file : ver 0.2'; tail -c +20 "$examples/scale.vemo"; } >"$work/other.vemo"
# A copy with 80 rows instead of 96.
cp "$examples/scale.vemo" "$work/rows.vemo"
printf '\x4f' | dd of="$work/rows.vemo" bs=1 seek=36 conv=notrunc status=none
for bad in cut other rows; do
    run check "$work/$bad.vemo"
    [ "$code" -eq 1 ] || fail "check $bad.vemo exited $code, not 1"
    [ ! -s "$work/out" ] || fail "check $bad.vemo printed to stdout: $(cat "$work/out")"
    [ "$(line_count "$work/err")" -eq 1 ] || fail "check $bad.vemo gave not one line: $(cat "$work/err")"
    grep -qF "$work/$bad.vemo" "$work/err" || fail "check $bad.vemo does not name the file: $(cat "$work/err")"
done

# --- tones -----------------------------------------------------------------------------------
# C D E F G A B of octave 4, the high C held over two columns, one rest, and back down.
cat >"$work/scale.tones" <<'EOF'
tone 264 150
tone 297 150
tone 330 150
tone 352 150
tone 396 150
tone 440 150
tone 495 150
tone 528 300
rest 150
tone 495 150
tone 440 150
tone 396 150
tone 352 150
tone 330 150
tone 297 150
tone 264 150
EOF
run tones "$examples/scale.vemo"
[ "$code" -eq 0 ] || fail "tones scale.vemo exited $code"
diff -u "$work/scale.tones" "$work/out" >"$work/diff" || fail "tones scale.vemo differ: $(cat "$work/diff")"

# --- code ------------------------------------------------------------------------------------
# The statements are the tones written out, for every example.
for name in scale ode fanfare; do
    run tones "$examples/$name.vemo"
    sed -e 's/^tone \([0-9]*\) \([0-9]*\)$/Beep_( \1, \2 )/' -e 's/^rest \([0-9]*\)$/Delay(\1)/' \
        "$work/out" >"$work/expected.code"
    [ -s "$work/expected.code" ] || fail "tones $name.vemo printed nothing"
    run code "$examples/$name.vemo"
    [ "$code" -eq 0 ] || fail "code $name.vemo exited $code"
    diff -u "$work/expected.code" "$work/out" >"$work/diff" ||
        fail "code $name.vemo does not match its tones: $(cat "$work/diff")"
done

# A column range works as a selection: the notes inside it, from the first to the last.
printf 'Beep_( 495, 150 )\nBeep_( 528, 300 )\nDelay(150)\nBeep_( 495, 150 )\n' >"$work/range.code"
run code "$examples/scale.vemo" --from 6 --to 10
diff -u "$work/range.code" "$work/out" >"$work/diff" || fail "code --from 6 --to 10: $(cat "$work/diff")"
run code "$examples/scale.vemo" --from 7 --to 9
[ "$(cat "$work/out")" = "Beep_( 528, 300 )" ] || fail "code --from 7 --to 9 printed: $(cat "$work/out")"
run code "$examples/scale.vemo" --from 3
[ "$(line_count "$work/out")" -eq 13 ] || fail "code --from 3 printed $(line_count "$work/out") lines"
[ "$(head -n 1 "$work/out")" = "Beep_( 352, 150 )" ] || fail "code --from 3 starts with $(head -n 1 "$work/out")"
run code "$examples/scale.vemo" --from 10 --to 5
[ "$code" -ne 0 ] || fail "code --from 10 --to 5 was accepted"
# Options go anywhere among the words.
run code --from 6 --to 10 "$examples/scale.vemo"
diff -u "$work/range.code" "$work/out" >"$work/diff" || fail "code --from 6 --to 10 FILE: $(cat "$work/diff")"
run code --to 10 "$examples/scale.vemo" --from 6
diff -u "$work/range.code" "$work/out" >"$work/diff" || fail "code --to 10 FILE --from 6: $(cat "$work/diff")"
# Both ends must be columns of the melody (scale has 32): the last one is fine, past it is not.
run code "$examples/scale.vemo" --to 31
[ "$code" -eq 0 ] && [ "$(line_count "$work/out")" -eq 16 ] || fail "code --to 31 exited $code"
for range in "--to 32" "--to 4096" "--from 32" "--from 4096 --to 4096" "--from -1"; do
    # shellcheck disable=SC2086
    run code "$examples/scale.vemo" $range
    [ "$code" -eq 2 ] || fail "code $range exited $code, not 2"
    [ ! -s "$work/out" ] || fail "code $range printed code"
done
run code "$examples/scale.vemo" --to 32
grep -qF "give a column from 0 to 31" "$work/err" || fail "code --to 32 does not say which columns: $(cat "$work/err")"

# --format picks the dialect, beep by default; an unknown one is refused with the names.
run code "$examples/scale.vemo"
cp "$work/out" "$work/default.code"
run code --format beep "$examples/scale.vemo"
cmp -s "$work/default.code" "$work/out" || fail "code --format beep differs from the default"
run code "$examples/scale.vemo" --format linux-beep --from 6 --to 10
[ "$(cat "$work/out")" = "beep -f 495 -l 150 -n -f 528 -l 300 -D 150 -n -f 495 -l 150" ] ||
    fail "code --format linux-beep printed: $(cat "$work/out")"
run code "$examples/scale.vemo" --format arduino --from 7 --to 9
[ "$(head -n 1 "$work/out")" = "const int BUZZER_PIN = 8;" ] &&
    [ "$(tail -n 2 "$work/out" | tr '\n' '|')" = "tone(BUZZER_PIN, 528); delay(300);|noTone(BUZZER_PIN);|" ] ||
    fail "code --format arduino printed: $(cat "$work/out")"
run code "$examples/scale.vemo" --format midi
[ "$code" -eq 2 ] && [ ! -s "$work/out" ] || fail "code --format midi exited $code"
grep -qF "'midi' is not a format; use beep, arduino, arduino-table, linux-beep, c-array" "$work/err" ||
    fail "code --format midi says: $(cat "$work/err")"

# --- wav -------------------------------------------------------------------------------------
# 48 samples of 2 bytes per millisecond, for exactly the length of the tone list.
for name in scale ode fanfare; do
    run tones "$examples/$name.vemo"
    total_ms=$(awk '{ sum += $NF } END { print sum }' "$work/out")
    data_bytes=$((total_ms * 48 * 2))
    run wav "$examples/$name.vemo" "$work/$name.wav"
    [ "$code" -eq 0 ] || fail "wav $name.vemo exited $code: $(cat "$work/err")"
    [ "$(head -c 4 "$work/$name.wav")" = "RIFF" ] || fail "$name.wav does not start with RIFF"
    [ "$(tail -c +9 "$work/$name.wav" | head -c 8)" = "WAVEfmt " ] || fail "$name.wav is not WAVE"
    [ "$(tail -c +37 "$work/$name.wav" | head -c 4)" = "data" ] || fail "$name.wav has no data chunk at 36"
    [ "$(u32_at "$work/$name.wav" 24)" = 48000 ] || fail "$name.wav rate $(u32_at "$work/$name.wav" 24)"
    [ "$(u32_at "$work/$name.wav" 40)" = "$data_bytes" ] ||
        fail "$name.wav data length $(u32_at "$work/$name.wav" 40), expected $data_bytes"
    [ "$(u32_at "$work/$name.wav" 4)" = $((36 + data_bytes)) ] || fail "$name.wav RIFF length"
    [ "$(stat -c %s "$work/$name.wav")" = $((44 + data_bytes)) ] || fail "$name.wav file size"
done
[ "$(u32_at "$work/scale.wav" 40)" = 244800 ] || fail "scale.wav is not 2550 ms long"
# Not all silence: the square wave swings both ways.
[ "$(tail -c +45 "$work/scale.wav" | tr -d '\000' | head -c 1 | wc -c)" -eq 1 ] ||
    fail "scale.wav holds only silence"
# As an Arduino plays it: as long as vemo's own rendering, but its timer's pitches are a little
# sharp. A name whose device vemo cannot sound like is refused with the names it can.
run wav "$examples/scale.vemo" "$work/scale-arduino.wav" --as arduino
[ "$code" -eq 0 ] || fail "wav --as arduino exited $code: $(cat "$work/err")"
[ "$(stat -c %s "$work/scale-arduino.wav")" = "$(stat -c %s "$work/scale.wav")" ] &&
    ! cmp -s "$work/scale.wav" "$work/scale-arduino.wav" || fail "wav --as arduino: not the melody's length, or vemo's own sound"
for name in nosuch beep; do
    run wav "$examples/scale.vemo" "$work/$name.wav" --as "$name"
    [ "$code" -eq 2 ] && [ ! -e "$work/$name.wav" ] || fail "wav --as $name exited $code"
    grep -q "'$name' .*use .*arduino, arduino-table" "$work/err" ||
        fail "wav --as $name does not list the devices: $(cat "$work/err")"
done

# --- missing files and bad use ---------------------------------------------------------------
for command in check tones code play; do
    run "$command" "$work/absent.vemo"
    [ "$code" -ne 0 ] || fail "$command on a missing file exited 0"
    grep -qF "$work/absent.vemo" "$work/err" || fail "$command on a missing file does not name it"
done
run wav "$work/absent.vemo" "$work/absent.wav"
[ "$code" -ne 0 ] || fail "wav of a missing file exited 0"
[ ! -e "$work/absent.wav" ] || fail "wav of a missing file wrote a file"
run wav "$examples/scale.vemo" "$work/no-folder/out.wav"
[ "$code" -ne 0 ] || fail "wav into a missing folder exited 0"
grep -qF "$work/no-folder/out.wav" "$work/err" || fail "wav into a missing folder does not name it"
run sing "$examples/scale.vemo"
[ "$code" -eq 2 ] || fail "an unknown command exited $code, not 2"
run
[ "$code" -eq 2 ] || fail "no command exited $code, not 2"
# Every command refuses words it has no use for, and says where its usage is.
for command in play tones code check; do
    run "$command" "$examples/scale.vemo" stray
    [ "$code" -eq 2 ] || fail "$command with an extra word exited $code, not 2"
    grep -qF "stray" "$work/err" && grep -qF "vemo-tool $command --help" "$work/err" ||
        fail "$command with an extra word says: $(cat "$work/err")"
done
run wav "$examples/scale.vemo" "$work/extra.wav" stray
[ "$code" -eq 2 ] && [ ! -e "$work/extra.wav" ] || fail "wav with an extra word exited $code"
# Help and version for the tool and for every command, on standard output.
for command in "" play tones code wav check; do
    # shellcheck disable=SC2086
    run $command --help
    [ "$code" -eq 0 ] || fail "'$command --help' exited $code"
    grep -q "^Usage: vemo-tool $command" "$work/out" || fail "'$command --help' printed: $(cat "$work/out")"
    # shellcheck disable=SC2086
    run $command --version
    [ "$code" -eq 0 ] && [ "$(cat "$work/out")" = "vemo-tool 0.1" ] ||
        fail "'$command --version' exited $code and printed: $(cat "$work/out")"
done

# --- wav under hostile conditions --------------------------------------------------------------
# A file size limit far below the rendering: the tool says so, the old file stays, no temporary.
printf 'the old file' >"$work/kept.wav"
(ulimit -f 8 && exec "$tool" wav "$examples/scale.vemo" "$work/kept.wav") >"$work/out" 2>"$work/err"
code=$?
[ "$code" -eq 1 ] || fail "wav past the file size limit exited $code, not 1"
grep -qF "ulimit -f" "$work/err" || fail "wav past the file size limit says: $(cat "$work/err")"
[ "$(cat "$work/kept.wav")" = "the old file" ] || fail "wav past the file size limit changed the old file"
ls "$work" | grep -q tmp && fail "wav left a temporary: $(ls "$work")"
# A WAV over its own melody would destroy it.
cp "$examples/scale.vemo" "$work/self.vemo"
run wav "$work/self.vemo" "$work/self.vemo"
[ "$code" -eq 2 ] || fail "wav over its own melody exited $code, not 2"
cmp -s "$examples/scale.vemo" "$work/self.vemo" || fail "wav over its own melody changed it"

# --- play through SDL's disk driver ----------------------------------------------------------
# The driver writes every sample the program produced; at delay 0 it runs faster than real time.
SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/played.raw" SDL_DISKAUDIODELAY=0 \
    timeout 60 "$tool" play "$examples/scale.vemo" >"$work/out" 2>"$work/err"
code=$?
[ "$code" -eq 0 ] || fail "play scale.vemo exited $code: $(cat "$work/err")"
played=$(stat -c %s "$work/played.raw" 2>/dev/null || echo 0)
[ "$played" -ge 244800 ] || fail "play wrote $played bytes, the melody needs 244800: its end was cut"
[ "$(tr -d '\000' <"$work/played.raw" | head -c 1 | wc -c)" -eq 1 ] || fail "play produced only silence"

# --- play where ALSA finds no sound card ----------------------------------------------------
# The library's own complaints stay unprinted: one line of the tool's says that sound is off.
SDL_AUDIODRIVER=alsa timeout 60 "$tool" play "$examples/scale.vemo" >"$work/out" 2>"$work/err"
[ "$(wc -l <"$work/err")" -le 1 ] || fail "play through ALSA printed more than one line: $(cat "$work/err")"
[ ! -s "$work/err" ] || grep -q '^vemo-tool: no audio output (.*), sound is off$' "$work/err" ||
    fail "play through ALSA said: $(cat "$work/err")"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "vemo-tool: all checks passed"
