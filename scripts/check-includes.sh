#!/usr/bin/env bash
# Fails when an include points upward: model -> view/sound/store/convert/app/cli,
# view/sound/store -> convert/app/cli, convert -> view/app/cli, or Qt, SDL and the platform's
# Qt/SDL parts anywhere but the two mains and platform/qt, platform/sdl themselves.
set -uo pipefail
cd "$(dirname "$0")/.."
found=0
report() {
    local rule=$1 files=$2 pattern=$3
    local hits
    hits=$(grep -nE "$pattern" $files 2>/dev/null)
    if [ -n "$hits" ]; then
        echo "upward include ($rule):" >&2
        echo "$hits" | sed 's/^/    /' >&2
        found=1
    fi
}
sources() { find "$@" -name '*.cpp' -o -name '*.h' 2>/dev/null | sort | tr '\n' ' '; }

report "model knows only the standard library and platform's portable types" \
    "$(sources model)" '#include [<"](view|sound|store|convert|app|cli|platform/qt|platform/sdl)/'
report "view, sound and store never reach the converters or the shell" \
    "$(sources view sound store)" '#include [<"](convert|app|cli)/'
report "the converters use the model, sound and store, never the view or the shell" \
    "$(sources convert)" '#include [<"](view|app|cli)/'
report "only the mains and the platform's own parts touch Qt and SDL" \
    "$(sources model view sound store convert platform/*.h platform/*.cpp app cli | tr ' ' '\n' |
       grep -vE '^(app/main\.cpp|cli/main\.cpp)$' | tr '\n' ' ')" \
    '#include [<"](Q[A-Za-z]*|SDL[^"]*|platform/qt/|platform/sdl/)'
report "the platform's portable part knows no layer above it" \
    "$(ls platform/*.h platform/*.cpp)" '#include [<"](model|view|sound|store|convert|app|cli)/'
[ $found -eq 0 ] && echo "includes point down"
exit $found
