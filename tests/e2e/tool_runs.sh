# Shared start of the vemo-tool scripts: source it with RUNTIME_DIR SOURCE_DIR as the script's
# arguments. Sets tool, examples and a work folder removed at exit; fail counts failures, run
# keeps stdout, stderr and the exit code apart.

if [ $# -ne 2 ]; then
    echo "usage: $0 RUNTIME_DIR SOURCE_DIR" >&2
    exit 2
fi
tool="$1/vemo-tool"
examples="$2/examples"
if [ ! -x "$tool" ]; then
    echo "FAIL: no vemo-tool at $tool" >&2
    exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

run() {
    "$tool" "$@" >"$work/out" 2>"$work/err"
    code=$?
}
