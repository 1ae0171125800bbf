# What a user can do to the editor from outside, with real X input: let the left button come up
# over a modal file dialog, narrow the melody and edit on (the sanitizer build stops at any
# write past the grid) without tying notes by accident; the program icon on the window; and a
# SIGTERM while a melody plays, which ends the editor at once with exit code 0.
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"

MAIN_TITLE="       vemo - F1:help - untitled"
ROW=50
ROW_HZ=440
COLUMN_MS=120
saved="$E2E_TMP/separate.vemo"

e2e_start_vemo "$E2E_TMP"
e2e_wait_window "$MAIN_TITLE"
main=$E2E_WINDOW
e2e_wait_geometry "$main" "100 100 800 600"

e2e_note "the window carries the program icon"
xprop -id "$main" _NET_WM_ICON | grep -q "CARDINAL" ||
    e2e_fail "no _NET_WM_ICON on the main window: $(xprop -id "$main" _NET_WM_ICON)"

# press_released_over_dialog COLUMN: the left button goes down on the cell, F3 opens the load
# dialog, the button comes up over the dialog, and Escape closes it.
press_released_over_dialog() {
    e2e_mouse_move "$(e2e_cell_x "$1")" "$(e2e_cell_y $ROW)"
    e2e_settle
    xdotool mousedown 1
    e2e_settle
    e2e_key "$main" F3
    e2e_wait_window "load file"
    local dialog=$E2E_WINDOW
    xdotool mouseup 1
    e2e_settle
    e2e_key "$dialog" Escape
    e2e_wait_window_gone "$dialog"
    e2e_settle
}

e2e_note "notes set one by one stay separate tones after a release over a dialog"
for column in 20 21 22; do e2e_click_cell $column $ROW; done
press_released_over_dialog 23
e2e_click_cell 19 $ROW
e2e_save_through_dialog "$main" "$saved"
e2e_wait_file "$saved"
one="tone $ROW_HZ $COLUMN_MS"
e2e_expect_text "tones after the release over the dialog" "$one
$one
$one
$one
$one" "$(e2e_tones "$saved")"

e2e_note "a release over a dialog, a narrower melody, then clicks keep every edit inside the grid"
press_released_over_dialog 60
xdotool mousemove $((E2E_MAIN_LEFT + 12)) $((E2E_MAIN_TOP + 15)) click 1 # "new"
e2e_wait_window "new vemo.."
dialog=$E2E_WINDOW
read -r dialog_x dialog_y _ <<<"$(e2e_geometry "$dialog")"
e2e_click $((dialog_x + 115)) $((dialog_y + 20)) # the width spin
xdotool key ctrl+a
xdotool type --delay 20 32
e2e_click $((dialog_x + 50)) $((dialog_y + 115)) # "apply"
e2e_wait_window_gone "$dialog"
e2e_click_cell 5 $ROW
e2e_click_cell 6 $ROW
e2e_expect_running
narrow="$E2E_TMP/narrow.vemo"
e2e_save_through_dialog "$main" "$narrow"
e2e_wait_file "$narrow"
e2e_expect_text "tones in the narrow melody" "$one
$one" "$(e2e_tones "$narrow")"
# The last column index is stored at offset 32.
last_column=$(python3 -c 'import struct, sys; print(struct.unpack_from("<i", open(sys.argv[1], "rb").read(), 32)[0])' "$narrow")
[ "$last_column" -eq 31 ] || e2e_fail "the melody has last column $last_column, expected 31"

e2e_note "SIGTERM while a melody plays on repeat ends the editor at once with exit code 0"
e2e_key "$main" r
e2e_key "$main" space
sleep 0.5
e2e_expect_running

e2e_note "while it plays, the cursor is a white line across the grid"
shot="$E2E_TMP/playing.ppm"
python3 "$E2E_DRIVER_DIR/xshot.py" "$shot" || e2e_fail "no screen picture"
python3 - "$shot" $((E2E_MAIN_LEFT + E2E_GRID_LEFT)) $((E2E_MAIN_TOP + E2E_TOOLBAR_HEIGHT + E2E_GRID_GAP_BELOW_TOOLBAR)) <<'PY' ||
import sys
data = open(sys.argv[1], "rb").read()
fields = data.split(maxsplit=4)
width, height = int(fields[1]), int(fields[2])
pixels = fields[4]
left, top = int(sys.argv[2]), int(sys.argv[3])
def white(x, y):
    i = 3 * (y * width + x)
    return pixels[i:i + 3] == b"\xff\xff\xff"
# A column of the grid that is white from top to bottom is the cursor.
found = [x for x in range(left, left + 700) if all(white(x, y) for y in range(top + 5, top + 500))]
sys.exit(0 if found else 1)
PY
    e2e_fail "no cursor line in the picture of the playing editor"
kill -TERM "$E2E_VEMO_PID"
e2e_wait_exit 5
[ "$E2E_EXIT_CODE" -eq 0 ] || e2e_fail "exit code $E2E_EXIT_CODE after SIGTERM"

echo "PASS"
