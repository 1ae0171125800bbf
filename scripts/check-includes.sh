#!/usr/bin/env bash
# Fails when an include points upward. The layers, from the bottom: platform; model; store and
# sound side by side; convert; view; app and cli. model uses only platform; store and sound use
# model and platform; convert adds sound and store; view uses model, sound and platform; app and
# cli use everything below them. Only the two mains and platform/qt, platform/sdl touch Qt or SDL.
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

report "the platform's portable part knows no layer above it" \
    "$(ls platform/*.h platform/*.cpp)" '#include [<"](model|view|sound|store|convert|app|cli)/'
report "model uses only platform" \
    "$(sources model)" '#include [<"](view|sound|store|convert|app|cli)/'
report "store uses model and platform" \
    "$(sources store)" '#include [<"](view|sound|convert|app|cli)/'
report "sound uses model and platform" \
    "$(sources sound)" '#include [<"](view|store|convert|app|cli)/'
report "convert uses model, sound, store and platform" \
    "$(sources convert)" '#include [<"](view|app|cli)/'
report "view uses model, sound and platform" \
    "$(sources view)" '#include [<"](store|convert|app|cli)/'
report "app and cli stand beside each other" \
    "$(sources app)" '#include [<"]cli/'
report "app and cli stand beside each other" \
    "$(sources cli)" '#include [<"]app/'
report "only the mains and the platform's own parts touch Qt and SDL" \
    "$(sources model view sound store convert platform/*.h platform/*.cpp app cli | tr ' ' '\n' |
       grep -vE '^(app/main\.cpp|cli/main\.cpp)$' | tr '\n' ' ')" \
    '#include [<"](Q[A-Za-z]*|SDL[^"]*|platform/qt/|platform/sdl/)'
[ $found -eq 0 ] && echo "includes point down"
exit $found
