# Mouse editing with real X input: a left drag along a row ties its notes into one tone, a right
# click erases a column and splits the tone, and holding M while the code window has the focus
# pans the grid. Each state is checked in the file saved through the real dialog.
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"

MAIN_TITLE="       vemo - F1:help - untitled"
# Grid row 50 sounds 440 Hz.
ROW=50
ROW_HZ=440
COLUMN_MS=120
saved="$E2E_TMP/edited.vemo"

# The first and last column holding a note, as the file stores them.
note_column_range() {
    python3 -c 'import struct, sys
data = open(sys.argv[1], "rb").read()
print(*struct.unpack_from("<ii", data, 44))' "$1"
}

save_and_read() {
    rm -f "$saved"
    e2e_save_through_dialog "$main" "$saved"
    # A replace question would mean the earlier copy was not removed.
    [ -z "$(e2e_find_window "please confirm")" ] || e2e_fail "unexpected replace question"
    e2e_wait_file "$saved"
}

e2e_start_vemo "$E2E_TMP"
e2e_wait_window "$MAIN_TITLE"
main=$E2E_WINDOW
e2e_wait_geometry "$main" "100 100 800 600"

e2e_note "a left drag over columns 10 to 14 of one row gives one held tone"
e2e_drag_row $ROW 10 14
save_and_read
e2e_expect_text "tones after the drag" "tone $ROW_HZ $((5 * COLUMN_MS))" "$(e2e_tones "$saved")"

e2e_note "a right click on column 12 erases it and splits the tone"
e2e_click_cell 12 $ROW 3
save_and_read
e2e_expect_text "tones after the right click" "tone $ROW_HZ $((2 * COLUMN_MS))
rest $COLUMN_MS
tone $ROW_HZ $((2 * COLUMN_MS))" "$(e2e_tones "$saved")"

e2e_note "M held while the code window has the focus pans the grid to the right"
e2e_key "$main" g
e2e_wait_window "vemo - code"
code=$E2E_WINDOW
pan_y=$(e2e_cell_y 80)
pan_x=$(e2e_cell_x 20)
e2e_mouse_move "$pan_x" "$pan_y"
e2e_focus "$code"
e2e_settle
xdotool keydown m
e2e_settle
for step in 1 2 3 4 5 6 7 8 9 10; do
    e2e_mouse_move $((pan_x + step * 30)) "$pan_y"
    e2e_nudge
done
xdotool keyup m
e2e_settle
e2e_expect_running

# After the pan the screen position of column 20 shows a column further right.
e2e_click_cell 20 $ROW
save_and_read
read -r first_column last_column <<<"$(note_column_range "$saved")"
[ "$first_column" -eq 10 ] || e2e_fail "first note column $first_column after the pan, expected 10"
[ "$last_column" -gt 20 ] ||
    e2e_fail "the click after the pan set column $last_column: the view did not move right"
last_tone=$(e2e_tones "$saved" | tail -n 1)
e2e_expect_text "last tone after the pan" "tone $ROW_HZ $COLUMN_MS" "$last_tone"

e2e_close "$main"
e2e_answer_box "please confirm" yes
e2e_expect_exit_code 0

echo "PASS"
