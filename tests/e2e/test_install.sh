# The installed programs: `cmake --install` into a temporary prefix puts everything in its
# standard place, the installed editor started from another folder finds its Data files and help
# page in share/vemo and loads the melody it is given, and the installed vemo-tool reads it.
source "$(dirname "${BASH_SOURCE[0]}")/driver.sh"
e2e_setup "$@"

prefix="$E2E_TMP/prefix"
cmake --install "$E2E_RUNTIME_DIR/.." --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 ||
    e2e_fail "cmake --install failed: $(tail -n 5 "$E2E_TMP/install.log")"

e2e_note "everything lies in its standard place"
for file in bin/vemo bin/vemo-tool share/vemo/Data/img01.bmp share/vemo/Data/vemo.ico \
    "share/vemo/vemo - help.html" share/applications/vemo.desktop share/mime/packages/vemo.xml \
    share/icons/hicolor/16x16/apps/vemo.png share/icons/hicolor/256x256/apps/vemo.png \
    share/man/man1/vemo.1 share/man/man1/vemo-tool.1; do
    [ -e "$prefix/$file" ] || e2e_fail "not installed: $file"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/vemo.desktop" ||
        e2e_fail "the desktop entry does not validate"
fi

e2e_note "the installed editor, started elsewhere, finds its Data files and loads the melody"
elsewhere="$E2E_TMP/melodies"
mkdir -p "$elsewhere"
cp "$E2E_SOURCE_DIR/examples/ode.vemo" "$elsewhere/"
E2E_VEMO_PROGRAM="$prefix/bin/vemo" e2e_start_vemo "$elsewhere" ode.vemo
e2e_wait_window "       vemo - $elsewhere/ode.vemo"
main=$E2E_WINDOW
e2e_close "$main"
e2e_answer_box "please confirm" yes
e2e_expect_exit_code 0

e2e_note "the installed vemo-tool reads the melody"
(cd "$elsewhere" && "$prefix/bin/vemo-tool" check ode.vemo) | grep -q '^ok' ||
    e2e_fail "the installed vemo-tool does not accept the melody"

echo "PASS"
