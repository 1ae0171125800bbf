# Start-up and exit of the real editor: the Data folder beside the program, the first window,
# the exit question, and a start-up that fails on a missing bitmap.
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"

MAIN_TITLE="       vemo - F1:help - untitled"

e2e_note "started from another folder, the editor finds Data beside itself"
elsewhere="$E2E_TMP/elsewhere"
mkdir -p "$elsewhere"
e2e_start_vemo "$elsewhere"
e2e_wait_window "$MAIN_TITLE"
main=$E2E_WINDOW
e2e_wait_geometry "$main" "100 100 800 600"

e2e_note "No to the exit question keeps the editor running"
e2e_close "$main"
e2e_answer_box "please confirm" no
e2e_settle
e2e_expect_running
[ -n "$(e2e_find_window "$MAIN_TITLE")" ] || e2e_fail "the main window went away after No"

e2e_note "Yes to the exit question ends the editor normally"
e2e_close "$main"
e2e_answer_box "please confirm" yes
e2e_expect_exit_code 0

e2e_note "a Data folder of exactly the five bitmaps and eleven icons starts the editor"
bare="$E2E_TMP/bare-install"
mkdir -p "$bare/Data"
cp "$E2E_VEMO" "$bare/"
for file in img01.bmp img02.bmp img02_L.bmp img02_LR.bmp img02_R.bmp new.ico space.ico sing.ico \
    shut.ico loop.ico code.ico load.ico save.ico copy.ico paste.ico selec.ico; do
    cp "$E2E_RUNTIME_DIR/Data/$file" "$bare/Data/"
done
E2E_VEMO_PROGRAM="$bare/vemo" e2e_start_vemo "$elsewhere"
e2e_wait_window "$MAIN_TITLE"
[ -z "$(xdotool search --onlyvisible --name '^error$' 2>/dev/null)" ] ||
    e2e_fail "an error box came up for a Data folder without the optional icons"
e2e_close "$E2E_WINDOW"
e2e_answer_box "please confirm" yes
e2e_expect_exit_code 0

e2e_note "a missing cell bitmap stops the start with an error box and no main window"
broken="$E2E_TMP/broken-install"
mkdir -p "$broken"
cp "$E2E_VEMO" "$broken/"
cp -r "$E2E_RUNTIME_DIR/Data" "$broken/"
rm "$broken/Data/img02_L.bmp"
E2E_VEMO_PROGRAM="$broken/vemo" e2e_start_vemo "$elsewhere"
e2e_wait_window "error"
error_box=$E2E_WINDOW
[ -z "$(xdotool search --onlyvisible --name 'vemo - F1:help' 2>/dev/null)" ] ||
    e2e_fail "the main window is shown although start-up failed"
e2e_answer_box "error" ok
e2e_wait_window_gone "$error_box"
e2e_expect_exit_code 1

e2e_note "a signal during the error box of a failed start-up ends it with the failure's code"
E2E_VEMO_PROGRAM="$broken/vemo" e2e_start_vemo "$elsewhere"
e2e_wait_window "error"
kill -TERM "$E2E_VEMO_PID"
e2e_expect_exit_code 1

e2e_note "a display that cannot be opened is said in one line, exit 1"
DISPLAY=:999 WAYLAND_DISPLAY= "$E2E_VEMO" >"$E2E_TMP/no-display.out" 2>&1
code=$?
[ "$code" -eq 1 ] || e2e_fail "an unreachable display ended the editor with $code, not 1"
[ "$(cat "$E2E_TMP/no-display.out")" = "vemo: can't open the display ':999' to show the editor on" ] ||
    e2e_fail "an unreachable display was reported as: $(cat "$E2E_TMP/no-display.out")"

echo "PASS"
