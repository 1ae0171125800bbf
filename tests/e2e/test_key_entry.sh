# A short tune typed with real X key events in key entry mode, first on a US key map, then the
# same keys again on a German one; saved and taken as program text through "get code".
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"
command -v setxkbmap >/dev/null || e2e_fail "setxkbmap is not installed"

MAIN_TITLE="       vemo - F1:help - untitled"
saved="$E2E_TMP/typed.vemo"
# X keycodes of the keys at the US places Z X C V, '-' (the rest) and Q: C4 D4 E4 F4, rest, C5.
TUNE_KEYS="52 53 54 55 20 24"
RIGHT=114
TUNE_TONES="tone 264 120
tone 297 120
tone 330 120
tone 352 120
rest 120
tone 528 120"

type_keys() {
    e2e_focus "$main"
    # shellcheck disable=SC2086
    xdotool key --delay 40 $1
    e2e_settle
}

e2e_start_vemo "$E2E_TMP"
e2e_wait_window "$MAIN_TITLE"
main=$E2E_WINDOW
e2e_wait_geometry "$main" "100 100 800 600"
setxkbmap us || e2e_fail "setxkbmap us failed"

e2e_note "Ctrl+E, then the tune typed from column 0 on a US key map"
e2e_key "$main" ctrl+e
e2e_settle
type_keys "$TUNE_KEYS"

e2e_note "two columns on, the same keys on a German key map, where the first one types 'y'"
type_keys "$RIGHT $RIGHT"
setxkbmap de || e2e_fail "setxkbmap de failed"
e2e_settle
type_keys "$TUNE_KEYS"
e2e_note "Ctrl+Z still undoes while typing: the last C5 goes"
e2e_key "$main" ctrl+z
e2e_settle
setxkbmap us

e2e_save_through_dialog "$main" "$saved"
e2e_wait_file "$saved"
e2e_expect_text "typed tones" "$TUNE_TONES
rest 120
rest 120
tone 264 120
tone 297 120
tone 330 120
tone 352 120" "$(e2e_tones "$saved")"

e2e_note "Escape leaves the mode: G is get code again, and the typed tune is its text"
e2e_key "$main" Escape
e2e_key "$main" g
e2e_wait_window "vemo - code"
e2e_click $((30 + 2 + 116 * 7 / 8)) $((100 + 2 + 20 / 2))
e2e_expect_clipboard "Beep_( 264, 120 )
Beep_( 297, 120 )
Beep_( 330, 120 )
Beep_( 352, 120 )
Delay(120)
Beep_( 528, 120 )
Delay(120)
Delay(120)
Beep_( 264, 120 )
Beep_( 297, 120 )
Beep_( 330, 120 )
Beep_( 352, 120 )"

e2e_close "$main"
e2e_answer_box "please confirm" yes
e2e_expect_exit_code 0

echo "PASS"
