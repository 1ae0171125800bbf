# Melody files through the real editor: a file named on the command line, saving it again through
# the file dialog byte for byte, the replace question, and files that cannot be loaded at start.
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"

TITLE_PREFIX="       vemo - "
in_dir="$E2E_TMP/in"
out_dir="$E2E_TMP/out"
mkdir -p "$in_dir" "$out_dir"
original="$in_dir/ode.vemo"
cp "$E2E_SOURCE_DIR/examples/ode.vemo" "$original"
other="$out_dir/other.vemo"
cp "$E2E_SOURCE_DIR/examples/fanfare.vemo" "$other"
cmp -s "$original" "$other" && e2e_fail "the two example melodies must differ for this test"

e2e_note "a melody named on the command line is loaded and named in the title"
e2e_start_vemo "$E2E_TMP" "$original"
e2e_wait_window "$TITLE_PREFIX$original"
main=$E2E_WINDOW

e2e_note "saving under a new name writes the same bytes and renames the window"
copy="$out_dir/ode-copy.vemo"
e2e_save_through_dialog "$main" "$copy"
e2e_wait_file "$copy"
cmp "$original" "$copy" || e2e_fail "the saved copy differs from the loaded file"
e2e_wait_window "$TITLE_PREFIX$copy"

e2e_note "a name without an extension gets .vemo"
e2e_save_through_dialog "$main" "$out_dir/plain"
e2e_wait_file "$out_dir/plain.vemo"
cmp "$original" "$out_dir/plain.vemo" || e2e_fail "the file saved without extension differs"
[ ! -e "$out_dir/plain" ] || e2e_fail "a file without the .vemo extension was written"
e2e_wait_window "$TITLE_PREFIX$out_dir/plain.vemo"

e2e_note "No to the replace question leaves the existing file alone"
e2e_save_through_dialog "$main" "$other"
e2e_answer_box "please confirm" no
e2e_settle
cmp -s "$E2E_SOURCE_DIR/examples/fanfare.vemo" "$other" || e2e_fail "No to replace still wrote the file"
e2e_wait_window "$TITLE_PREFIX$out_dir/plain.vemo" 5

e2e_note "Yes to the replace question overwrites it"
e2e_save_through_dialog "$main" "$other"
e2e_answer_box "please confirm" yes
e2e_wait_window "$TITLE_PREFIX$other"
cmp "$original" "$other" || e2e_fail "Yes to replace did not write the melody"

e2e_close "$main"
e2e_answer_box "please confirm" yes
e2e_expect_exit_code 0

e2e_note "a missing file on the command line shows the file error and ends the editor"
e2e_start_vemo "$E2E_TMP" "$in_dir/missing.vemo"
e2e_answer_box "invalid file" ok
e2e_expect_exit_code 1

e2e_note "a file that is not a melody ends the editor the same way"
printf 'not a melody file\n' >"$in_dir/text.vemo"
e2e_start_vemo "$E2E_TMP" "$in_dir/text.vemo"
e2e_answer_box "invalid file" ok
e2e_expect_exit_code 1

e2e_note "a save past the file size limit shows the file error; the editor and the old files stay"
# 4096 columns, each with a note: about 20 KB, more than the 8 KB the limited editor may write.
big="$in_dir/big.vemo"
{
    printf 'vemo-file : ver 0.1\000            '
    printf '\377\017\000\000\137\000\000\000\170\000\000\000\000\000\000\000\377\017\000\000'
    head -c 4096 /dev/zero
    for _ in $(seq 4096); do printf '\062\001\000\000'; done
} >"$big"
limited="$E2E_TMP/vemo-limited"
printf '#!/usr/bin/env bash\nulimit -f 8\nexec "%s" "$@"\n' "$E2E_VEMO" >"$limited"
chmod +x "$limited"
E2E_VEMO_PROGRAM="$limited" e2e_start_vemo "$E2E_TMP" "$big"
e2e_wait_window "$TITLE_PREFIX$big"
main=$E2E_WINDOW
# The recovery journal of the big melody meets the limit first: said once, and editing goes on.
e2e_answer_box "recover" ok
e2e_save_through_dialog "$main" "$other"
e2e_answer_box "please confirm" yes
e2e_answer_box "invalid file" ok
e2e_wait_window "$TITLE_PREFIX$big" 5
cmp "$original" "$other" || e2e_fail "the file that was to be replaced changed"
[ "$(ls "$out_dir" | grep -c tmp)" -eq 0 ] || e2e_fail "a temporary was left: $(ls "$out_dir")"
e2e_close "$main"
e2e_answer_box "please confirm" yes
e2e_expect_exit_code 0

echo "PASS"
