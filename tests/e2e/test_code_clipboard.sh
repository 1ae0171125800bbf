# Copy and paste of columns with real keys and mouse, then the program text of the result taken
# from the code window's "copy" button through the system clipboard.
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"

MAIN_TITLE="       vemo - F1:help - untitled"
# Grid row 50 sounds 440 Hz and row 57 297 Hz; any row off the notes serves for selecting.
HIGH_ROW=50
LOW_ROW=57
SELECT_ROW=70
CODE_LEFT=30
CODE_TOP=100
CODE_WIDTH=120
CODE_HEIGHT=600
COPY_BUTTON_MARGIN=2
COPY_BUTTON_WIDTH=116
COPY_BUTTON_HEIGHT=20
# Entries of the paste menu below "cancel" and its separator; the third pastes notes and layout.
PASTE_NOTES_AND_LAYOUT_STEPS=4

# "copy" spans the window's width: a click near its right end copies too.
copy_button_x=$((CODE_LEFT + COPY_BUTTON_MARGIN + COPY_BUTTON_WIDTH * 7 / 8))
copy_button_y=$((CODE_TOP + COPY_BUTTON_MARGIN + COPY_BUTTON_HEIGHT / 2))

e2e_start_vemo "$E2E_TMP"
e2e_wait_window "$MAIN_TITLE"
main=$E2E_WINDOW
e2e_wait_geometry "$main" "100 100 800 600"

e2e_note "a held note over columns 0 and 1, a rest, a short note in column 3"
e2e_drag_row $HIGH_ROW 0 1
e2e_click_cell 3 $LOW_ROW

e2e_note "columns 0 to 3 selected with Shift and copied with Ctrl+C"
e2e_shift_click_cell 0 $SELECT_ROW 1
e2e_shift_click_cell 3 $SELECT_ROW 3
e2e_key "$main" ctrl+c

e2e_note "pasted at column 8 with notes and layout chosen from the paste menu"
e2e_shift_click_cell 8 $SELECT_ROW 1
before=$(e2e_visible_windows)
e2e_key "$main" ctrl+v
e2e_wait_new_window "$before"
paste_menu=$E2E_WINDOW
for ((step = 0; step < PASTE_NOTES_AND_LAYOUT_STEPS; ++step)); do xdotool key Down; done
xdotool key Return
e2e_wait_window_gone "$paste_menu"
e2e_settle

e2e_note "get code with the pasted columns selected, copied from the code window"
e2e_key "$main" g
e2e_wait_window "vemo - code"
code=$E2E_WINDOW
e2e_wait_geometry "$code" "$CODE_LEFT $CODE_TOP $CODE_WIDTH $CODE_HEIGHT"
e2e_click $copy_button_x $copy_button_y
e2e_expect_clipboard "Beep_( 440, 240 )
Delay(120)
Beep_( 297, 120 )"

e2e_note "with the selection switched off the whole melody is exported"
e2e_key "$main" s
e2e_key "$main" g
e2e_settle
e2e_click $copy_button_x $copy_button_y
e2e_expect_clipboard "Beep_( 440, 240 )
Delay(120)
Beep_( 297, 120 )
Delay(120)
Delay(120)
Delay(120)
Delay(120)
Beep_( 440, 240 )
Delay(120)
Beep_( 297, 120 )"

e2e_close "$main"
e2e_answer_box "please confirm" yes
e2e_expect_exit_code 0

echo "PASS"
