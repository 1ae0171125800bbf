# Driver for end-to-end runs of the built editor on a private X server.
#
# Source it from a test script, then call e2e_setup RUNTIME_DIR SOURCE_DIR. Every wait polls with
# a time-out and fails the test with a message instead of hanging; the X server, the editor and
# the temporary folder are cleaned up when the script exits.

E2E_DRIVER_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

E2E_SCREEN_GEOMETRY=1280x1024x24
E2E_POLL_SECONDS=0.05
E2E_WINDOW_TIMEOUT_SECONDS=30
E2E_EXIT_TIMEOUT_SECONDS=30
E2E_FILE_TIMEOUT_SECONDS=15
# Long enough for the editor's event loop to run a few passes (each waits at most 80 ms).
E2E_SETTLE_SECONDS=0.3

E2E_VEMO_PID=
E2E_XVFB_PID=
E2E_TMP=

e2e_fail() {
    echo "FAIL: $*" >&2
    e2e_show_logs
    e2e_screenshot_on_failure
    exit 1
}

# With E2E_SCREENSHOT_DIR set, a failing test leaves a picture of the screen there.
e2e_screenshot_on_failure() {
    [ -n "${E2E_SCREENSHOT_DIR:-}" ] && [ -n "${DISPLAY:-}" ] || return 0
    mkdir -p "$E2E_SCREENSHOT_DIR" || return 0
    local picture
    picture="$E2E_SCREENSHOT_DIR/$(basename "$0" .sh)-$(date +%s).ppm"
    python3 "$E2E_DRIVER_DIR/xshot.py" "$picture" && echo "screen saved in $picture" >&2
}

e2e_note() {
    echo "-- [${SECONDS}s] $*"
}

e2e_show_logs() {
    local log
    for log in "$E2E_TMP"/vemo-*.log "$E2E_TMP/xvfb.log"; do
        [ -s "$log" ] || continue
        echo "---- $(basename "$log") ----" >&2
        tail -n 40 "$log" >&2
    done
}

e2e_cleanup() {
    if [ -n "$E2E_VEMO_PID" ] && kill -0 "$E2E_VEMO_PID" 2>/dev/null; then
        kill -KILL "$E2E_VEMO_PID" 2>/dev/null
        wait "$E2E_VEMO_PID" 2>/dev/null
    fi
    if [ -n "$E2E_XVFB_PID" ] && kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
    fi
    [ -n "$E2E_TMP" ] && rm -rf "$E2E_TMP"
}

# e2e_setup RUNTIME_DIR SOURCE_DIR: checks the tools, starts the X server, exports DISPLAY.
e2e_setup() {
    [ $# -eq 2 ] || e2e_fail "usage: $0 RUNTIME_DIR SOURCE_DIR"
    E2E_RUNTIME_DIR=$(cd "$1" && pwd) || e2e_fail "no runtime folder $1"
    E2E_SOURCE_DIR=$(cd "$2" && pwd) || e2e_fail "no source folder $2"
    E2E_VEMO="$E2E_RUNTIME_DIR/vemo"
    E2E_TOOL="$E2E_RUNTIME_DIR/vemo-tool"
    [ -x "$E2E_VEMO" ] || e2e_fail "no editor at $E2E_VEMO"
    local tool
    for tool in Xvfb xdotool xclip python3; do
        command -v "$tool" >/dev/null || e2e_fail "$tool is not installed"
    done
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/vemo-e2e.XXXXXX") || e2e_fail "no temporary folder"
    trap e2e_cleanup EXIT
    # A test stopped from outside (a time-out) still takes its X server and editor with it.
    trap 'exit 1' TERM INT HUP
    export LSAN_OPTIONS="suppressions=$E2E_SOURCE_DIR/tests/lsan.supp"
    # A real audio path that needs no sound card and makes no noise.
    export SDL_AUDIODRIVER=dummy
    unset VEMO_DEVELOPMENT_RUN
    # The folder the file dialogs remember is kept per run, not in the user's own settings.
    export XDG_CONFIG_HOME="$E2E_TMP/config"
    # So are the recovery journals: an editor a test ends by a signal leaves its journal.
    export XDG_STATE_HOME="$E2E_TMP/state"
    e2e_start_xvfb
}

# Display numbers are drawn at random from a range of their own: several tests run side by side,
# and a server probing from :0 upward can take over a display another server is starting on.
E2E_DISPLAY_FIRST=200
E2E_DISPLAY_COUNT=5000
E2E_DISPLAY_ATTEMPTS=10

e2e_start_xvfb() {
    local attempt
    for ((attempt = 0; attempt < E2E_DISPLAY_ATTEMPTS; ++attempt)); do
        local number=$((E2E_DISPLAY_FIRST + (RANDOM * 32768 + RANDOM) % E2E_DISPLAY_COUNT))
        [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
        e2e_try_xvfb "$number" && return 0
    done
    e2e_fail "no free X display after $E2E_DISPLAY_ATTEMPTS attempts: $(cat "$E2E_TMP/xvfb.log")"
}

# e2e_try_xvfb NUMBER: starts a server on that display; false if it could not take it.
e2e_try_xvfb() {
    local number=$1
    local readyFile="$E2E_TMP/display"
    rm -f "$readyFile"
    # With -displayfd the server writes its display number once it accepts clients. -noreset: by
    # default the server resets whenever its last client leaves, and drops a client (the next
    # editor, a polling xdotool) that connects during that reset.
    Xvfb ":$number" -displayfd 3 -screen 0 "$E2E_SCREEN_GEOMETRY" -nolisten tcp -ac -noreset \
        3>"$readyFile" >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    local deadline=$((SECONDS + E2E_WINDOW_TIMEOUT_SECONDS))
    while ! grep -qx "$number" "$readyFile" 2>/dev/null; do
        if ! kill -0 "$E2E_XVFB_PID" 2>/dev/null; then
            wait "$E2E_XVFB_PID" 2>/dev/null
            E2E_XVFB_PID=
            return 1
        fi
        [ $SECONDS -lt $deadline ] || e2e_fail "Xvfb on :$number did not become ready"
        sleep "$E2E_POLL_SECONDS"
    done
    export DISPLAY=":$number"
    unset WAYLAND_DISPLAY XAUTHORITY
    xdotool getdisplaygeometry >/dev/null || e2e_fail "cannot talk to the X server on $DISPLAY"
}

# e2e_start_vemo WORKDIR [ARGS...]: starts the editor from WORKDIR; sets E2E_VEMO_PID and
# E2E_VEMO_LOG. EXECUTABLE may be overridden with E2E_VEMO_PROGRAM.
e2e_start_vemo() {
    local workDir=$1
    shift
    local program=${E2E_VEMO_PROGRAM:-$E2E_VEMO}
    E2E_VEMO_LOG="$E2E_TMP/vemo-$(date +%s%N).log"
    # Each start has journals of its own unless a test keeps them from one start to the next.
    local state=${E2E_VEMO_STATE:-$E2E_TMP/state-$(date +%s%N)}
    (cd "$workDir" && XDG_STATE_HOME=$state exec "$program" "$@") >"$E2E_VEMO_LOG" 2>&1 &
    E2E_VEMO_PID=$!
}

e2e_is_running() {
    local pid=$1
    kill -0 "$pid" 2>/dev/null || return 1
    # A dead child that bash has not reaped yet still answers kill -0.
    [ "$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null)" != "Z" ]
}

# e2e_wait_exit TIMEOUT_SECONDS: waits for the editor to end; sets E2E_EXIT_CODE.
e2e_wait_exit() {
    local timeout=${1:-$E2E_EXIT_TIMEOUT_SECONDS}
    local deadline=$((SECONDS + timeout))
    while e2e_is_running "$E2E_VEMO_PID"; do
        if [ $SECONDS -ge $deadline ]; then
            e2e_fail "the editor did not end within $timeout s"
        fi
        sleep "$E2E_POLL_SECONDS"
    done
    wait "$E2E_VEMO_PID"
    E2E_EXIT_CODE=$?
    E2E_VEMO_PID=
}

e2e_expect_exit_code() {
    local expected=$1
    e2e_wait_exit
    [ "$E2E_EXIT_CODE" -eq "$expected" ] ||
        e2e_fail "the editor ended with exit code $E2E_EXIT_CODE, expected $expected"
}

e2e_expect_running() {
    e2e_is_running "$E2E_VEMO_PID" || e2e_fail "the editor is no longer running"
}

# A literal window title as an anchored pattern for xdotool (extended regular expression).
e2e_title_pattern() {
    printf '^%s$' "$(printf '%s' "$1" | sed -e 's/[][\.*^$+?(){}|/]/\\&/g')"
}

# e2e_find_window TITLE: prints the ids of the visible windows with exactly this title.
e2e_find_window() {
    xdotool search --onlyvisible --name "$(e2e_title_pattern "$1")" 2>/dev/null
}

# e2e_wait_window TITLE [TIMEOUT]: waits for one visible window with exactly this title; sets
# E2E_WINDOW. Fails if the editor ends meanwhile.
e2e_wait_window() {
    local title=$1
    local timeout=${2:-$E2E_WINDOW_TIMEOUT_SECONDS}
    local deadline=$((SECONDS + timeout))
    local ids
    while :; do
        ids=$(e2e_find_window "$title")
        if [ -n "$ids" ]; then
            [ "$(printf '%s\n' "$ids" | wc -l)" -eq 1 ] ||
                e2e_fail "more than one window titled '$title'"
            E2E_WINDOW=$ids
            return 0
        fi
        if [ -n "$E2E_VEMO_PID" ] && ! e2e_is_running "$E2E_VEMO_PID"; then
            e2e_fail "the editor ended while waiting for a window titled '$title'"
        fi
        [ $SECONDS -lt $deadline ] ||
            e2e_fail "no window titled '$title' within $timeout s; visible: $(e2e_visible_titles)"
        sleep "$E2E_POLL_SECONDS"
    done
}

e2e_is_shown() {
    xdotool search --onlyvisible --name '.*' 2>/dev/null | grep -qx "$1"
}

# e2e_wait_window_gone WINDOW_ID [TIMEOUT]
e2e_wait_window_gone() {
    local window=$1
    local timeout=${2:-$E2E_WINDOW_TIMEOUT_SECONDS}
    local deadline=$((SECONDS + timeout))
    while e2e_is_shown "$window"; do
        [ $SECONDS -lt $deadline ] || e2e_fail "window $window still shown after $timeout s"
        sleep "$E2E_POLL_SECONDS"
    done
}

e2e_visible_titles() {
    local id
    for id in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
        printf "'%s' " "$(xdotool getwindowname "$id" 2>/dev/null)"
    done
}

# e2e_geometry WINDOW_ID: prints "X Y WIDTH HEIGHT" of the window's client area on the screen.
# Without a window manager there is no frame, so the window is its client area.
e2e_geometry() {
    local X Y WIDTH HEIGHT WINDOW SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1")" || return 1
    echo "$X $Y $WIDTH $HEIGHT"
}

# e2e_wait_geometry WINDOW_ID "X Y W H" [TIMEOUT]: the window settles at this geometry.
e2e_wait_geometry() {
    local window=$1 expected=$2
    local timeout=${3:-$E2E_WINDOW_TIMEOUT_SECONDS}
    local deadline=$((SECONDS + timeout))
    local actual
    while :; do
        actual=$(e2e_geometry "$window")
        [ "$actual" = "$expected" ] && return 0
        [ $SECONDS -lt $deadline ] ||
            e2e_fail "window $window has geometry '$actual', expected '$expected'"
        sleep "$E2E_POLL_SECONDS"
    done
}

# e2e_focus WINDOW_ID: gives the window the keyboard focus (there is no window manager to do it).
e2e_focus() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
}

# e2e_key WINDOW_ID KEY...: focuses the window and types real key strokes into it.
e2e_key() {
    local window=$1
    shift
    e2e_focus "$window"
    xdotool key --clearmodifiers "$@"
}

# e2e_type WINDOW_ID TEXT
e2e_type() {
    e2e_focus "$1"
    xdotool type --delay 5 -- "$2"
}

# e2e_close WINDOW_ID: the close request a window manager sends for the close box.
e2e_close() {
    python3 "$E2E_DRIVER_DIR/xclose.py" "$1" || e2e_fail "could not send the close request"
}

# e2e_answer_box TITLE yes|no|ok: waits for a message box, answers it, waits until it is gone.
# Return presses the default button (Yes, OK); Escape gives No in a Yes/No box.
e2e_answer_box() {
    local title=$1 answer=$2
    e2e_wait_window "$title"
    local box=$E2E_WINDOW
    case $answer in
    yes | ok) e2e_key "$box" Return ;;
    no) e2e_key "$box" Escape ;;
    *) e2e_fail "unknown answer '$answer'" ;;
    esac
    e2e_wait_window_gone "$box"
}

# e2e_mouse_move X Y: moves the pointer to a screen position and lets the editor see it.
e2e_mouse_move() {
    local x y screen window
    eval "$(xdotool getmouselocation --shell 2>/dev/null | tr 'A-Z' 'a-z')"
    # --sync waits for the pointer to move, which it never does when it is already there.
    [ "$x" = "$1" ] && [ "$y" = "$2" ] && return 0
    xdotool mousemove --sync "$1" "$2" 2>/dev/null || xdotool mousemove "$1" "$2"
}

# e2e_click X Y [BUTTON]
e2e_click() {
    e2e_mouse_move "$1" "$2"
    sleep "$E2E_SETTLE_SECONDS"
    xdotool click "${3:-1}"
    sleep "$E2E_SETTLE_SECONDS"
}

e2e_settle() {
    sleep "$E2E_SETTLE_SECONDS"
}

# e2e_wait_file PATH [TIMEOUT]: waits until the file exists and its size stops changing.
e2e_wait_file() {
    local path=$1
    local timeout=${2:-$E2E_FILE_TIMEOUT_SECONDS}
    local deadline=$((SECONDS + timeout))
    local size previous=-1
    while :; do
        if [ -f "$path" ]; then
            size=$(stat -c %s "$path")
            [ "$size" = "$previous" ] && return 0
            previous=$size
        fi
        [ $SECONDS -lt $deadline ] || e2e_fail "no file $path within $timeout s"
        sleep "$E2E_POLL_SECONDS"
    done
}

# e2e_save_through_dialog MAIN_WINDOW PATH: F2, the path typed into the file dialog, Return.
e2e_save_through_dialog() {
    local main=$1 path=$2
    e2e_key "$main" F2
    e2e_wait_window "save file"
    local dialog=$E2E_WINDOW
    # The file name field has the focus when the dialog opens; replace its default text.
    e2e_key "$dialog" ctrl+a
    e2e_type "$dialog" "$path"
    e2e_key "$dialog" Return
    # A completion list for a name that already exists takes the first Return itself.
    local deadline=$((SECONDS + 2))
    while e2e_is_shown "$dialog" && [ $SECONDS -lt $deadline ]; do
        sleep "$E2E_POLL_SECONDS"
    done
    e2e_is_shown "$dialog" && e2e_key "$dialog" Return
    e2e_wait_window_gone "$dialog"
}

# Where the cells of a fresh melody lie on the screen: 512 columns in small and large blocks of
# four, the start view (horizontal 0.0, vertical 0.5) and the main window at (100, 100) with its
# client area 800 x 600. The toolbar height is the one measured with the Fusion style and the
# 16 x 16 toolbar icons; every other figure is the editor's fixed layout.
E2E_MAIN_LEFT=100
E2E_MAIN_TOP=100
E2E_MAIN_HEIGHT=600
E2E_TOOLBAR_HEIGHT=31
E2E_GRID_LEFT=50
E2E_GRID_GAP_BELOW_TOOLBAR=17
E2E_GRID_BOTTOM_MARGIN=5
E2E_CONTENT_LEFT=5
E2E_CONTENT_TOP=10
E2E_COLUMN_WIDTH=12
E2E_ROW_HEIGHT=8
E2E_ROWS_PER_OCTAVE=12
E2E_OCTAVE_GAP=4
E2E_LAST_ROW=95
E2E_SMALL_BLOCK=4
E2E_LARGE_BLOCK=4
E2E_SMALL_MARK=2
E2E_LARGE_MARK=6
E2E_BOTTOM_SLACK=27
E2E_RANGE_PAD=5
# The point aimed at inside a cell: its middle, so that a pixel of layout drift still hits it.
E2E_CELL_AIM_X=5
E2E_CELL_AIM_Y=4

# e2e_cell_x COLUMN: screen x of the middle of the column's cells.
e2e_cell_x() {
    local column=$1
    local largeStarts=$((column / (E2E_SMALL_BLOCK * E2E_LARGE_BLOCK) + 1))
    local smallStarts=$((column / E2E_SMALL_BLOCK + 1 - largeStarts))
    local markSum=$((largeStarts * E2E_LARGE_MARK + smallStarts * E2E_SMALL_MARK))
    local contentX=$((E2E_CONTENT_LEFT + column * E2E_COLUMN_WIDTH + markSum))
    echo $((E2E_MAIN_LEFT + E2E_GRID_LEFT + contentX + E2E_CELL_AIM_X))
}

# e2e_cell_y ROW: screen y of the middle of the row's cells (row 0 is the highest pitch).
e2e_cell_y() {
    local row=$1
    local gridTop=$((E2E_TOOLBAR_HEIGHT + E2E_GRID_GAP_BELOW_TOOLBAR))
    local gridHeight=$((E2E_MAIN_HEIGHT - gridTop - E2E_GRID_BOTTOM_MARGIN))
    local range=$((E2E_LAST_ROW * E2E_ROW_HEIGHT + (E2E_LAST_ROW / E2E_ROWS_PER_OCTAVE) * E2E_OCTAVE_GAP -
        (gridHeight - E2E_BOTTOM_SLACK) + E2E_RANGE_PAD))
    # Half the range, a half rounded to even.
    local scrollY=$((range / 2))
    if [ $((range % 2)) -eq 1 ] && [ $((scrollY % 2)) -eq 1 ]; then scrollY=$((scrollY + 1)); fi
    local contentY=$((E2E_CONTENT_TOP + row * E2E_ROW_HEIGHT + (row / E2E_ROWS_PER_OCTAVE) * E2E_OCTAVE_GAP))
    echo $((E2E_MAIN_TOP + gridTop + contentY - scrollY + E2E_CELL_AIM_Y))
}

# Pointer steps are spaced wider than one pass of the editor's event loop, and each step ends
# with a one-pixel nudge, so that every cell passed gets a pointer-move event of its own.
E2E_STEP_SECONDS=0.15

e2e_nudge() {
    sleep "$E2E_STEP_SECONDS"
    xdotool mousemove_relative -- 1 0
    sleep "$E2E_STEP_SECONDS"
}

# e2e_click_cell COLUMN ROW [BUTTON]
e2e_click_cell() {
    e2e_click "$(e2e_cell_x "$1")" "$(e2e_cell_y "$2")" "${3:-1}"
}

# e2e_drag_row ROW FIRST_COLUMN LAST_COLUMN: a left drag along one row, column by column.
e2e_drag_row() {
    local row=$1 first=$2 last=$3
    local y
    y=$(e2e_cell_y "$row")
    e2e_mouse_move "$(e2e_cell_x "$first")" "$y"
    e2e_settle
    xdotool mousedown 1
    e2e_nudge
    local column
    for ((column = first + 1; column <= last; ++column)); do
        e2e_mouse_move "$(e2e_cell_x "$column")" "$y"
        e2e_nudge
    done
    xdotool mouseup 1
    e2e_settle
}

# e2e_shift_click_cell COLUMN ROW BUTTON: Shift held while clicking moves a selection edge.
e2e_shift_click_cell() {
    e2e_mouse_move "$(e2e_cell_x "$1")" "$(e2e_cell_y "$2")"
    e2e_settle
    xdotool keydown shift
    e2e_settle
    xdotool click "$3"
    e2e_settle
    xdotool keyup shift
    e2e_settle
}

# e2e_tones FILE: the melody's tone list, one "tone HZ MS" or "rest MS" a line.
e2e_tones() {
    "$E2E_TOOL" tones "$1" || e2e_fail "vemo-tool could not read $1"
}

# e2e_expect_text WHAT EXPECTED ACTUAL
e2e_expect_text() {
    [ "$2" = "$3" ] && return 0
    e2e_fail "$1 differs.
expected:
$2
actual:
$3"
}

e2e_visible_windows() {
    xdotool search --onlyvisible --name '.*' 2>/dev/null | sort
}

# e2e_wait_new_window "BEFORE_IDS" [TIMEOUT]: waits for a visible window that is not in the list
# (a popup menu has no title to wait for); sets E2E_WINDOW.
e2e_wait_new_window() {
    local before=$1
    local timeout=${2:-$E2E_WINDOW_TIMEOUT_SECONDS}
    local deadline=$((SECONDS + timeout))
    local added
    while :; do
        added=$(comm -13 <(printf '%s\n' "$before") <(e2e_visible_windows) | head -n 1)
        if [ -n "$added" ]; then
            E2E_WINDOW=$added
            return 0
        fi
        [ $SECONDS -lt $deadline ] || e2e_fail "no new window within $timeout s"
        sleep "$E2E_POLL_SECONDS"
    done
}

# e2e_expect_clipboard EXPECTED [TIMEOUT]: the system clipboard comes to hold exactly this text.
e2e_expect_clipboard() {
    local expected=$1
    local timeout=${2:-$E2E_FILE_TIMEOUT_SECONDS}
    local deadline=$((SECONDS + timeout))
    local actual
    while :; do
        # The owner answers while its event loop runs; never wait on it for long.
        actual=$(timeout 5 xclip -o -selection clipboard 2>/dev/null; printf x)
        actual=${actual%x}
        [ "$actual" = "$expected" ] && return 0
        [ $SECONDS -lt $deadline ] || e2e_expect_text "clipboard text" "$expected" "$actual"
        sleep "$E2E_POLL_SECONDS"
    done
}
