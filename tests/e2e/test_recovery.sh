# Recovery after kill -9: the editor is killed at random moments after random numbers of clicks,
# started again and told yes; the melody it brings back holds every note it had drawn. A note
# counts as drawn once the click has settled; the kill then comes at a random moment after it.
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"

KILLS=${VEMO_RECOVERY_KILLS:-50}
MAIN_TITLE="       vemo - F1:help - untitled"
RECOVERED_TITLE="       vemo - untitled (recovered)"
# Every start shares the journals.
export E2E_VEMO_STATE=$XDG_STATE_HOME
journals="$XDG_STATE_HOME/vemo"
declare -A expected=() # column -> row of every note clicked so far

# The notes of a melody file, "column:row" in column order.
notes_of() {
    python3 -c 'import struct, sys
data = open(sys.argv[1], "rb").read()
last, first, end = struct.unpack_from("<i", data, 32)[0], *struct.unpack_from("<ii", data, 44)
at = 52 + last + 1
for column in range(first, end + 1 if first >= 0 else 0):
    if data[at] == 0xFF:
        at += 1
        continue
    print(f"{column}:{data[at]}")
    at += 4' "$1"
}

expected_notes() {
    local column
    for column in $(printf '%s\n' "${!expected[@]}" | sort -n); do
        echo "$column:${expected[$column]}"
    done
}

# What the running editor's own journal holds, through the tool as a machine without a display
# would recover it.
check_recovered() {
    local what=$1 journal out="$E2E_TMP/recovered.vemo"
    journal=$(ls -t "$journals"/*.journal | head -1)
    rm -f "$out"
    "$E2E_TOOL" recover "$journal" "$out" >/dev/null || e2e_fail "vemo-tool recover failed"
    e2e_expect_text "$what" "$(expected_notes)" "$(notes_of "$out")"
}

for ((run = 0; run <= KILLS; ++run)); do
    e2e_start_vemo "$E2E_TMP"
    if [ "$run" -gt 0 ]; then
        e2e_answer_box "recover" yes
        e2e_wait_window "$RECOVERED_TITLE"
        e2e_settle
        check_recovered "the melody after kill $run"
    else
        e2e_wait_window "$MAIN_TITLE"
    fi
    [ "$run" -eq "$KILLS" ] && break
    main=$E2E_WINDOW
    e2e_wait_geometry "$main" "100 100 800 600"
    for ((click = RANDOM % 4; click >= 0; --click)); do
        column=$((RANDOM % 40))
        row=$((44 + RANDOM % 12))
        # A click on the note a column has would take it away; any other row places one there.
        [ "${expected[$column]:-}" = "$row" ] && row=$((row + 1))
        e2e_click_cell "$column" "$row"
        expected[$column]=$row
    done
    sleep "0.$((RANDOM % 3))$((RANDOM % 10))"
    kill -9 "$E2E_VEMO_PID"
    wait "$E2E_VEMO_PID" 2>/dev/null || true
    e2e_wait_window_gone "$main"
done
e2e_note "$KILLS kills, no note lost"
