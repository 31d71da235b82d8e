#!/usr/bin/env bash
# Checks that the dependencies of src/ run one way (docs/ARCHITECTURE.md):
#   platform -> core -> data, engine -> the other subsystems -> windows.
# - A project header is included with "...", never with <...>, which would
#   hide it from these checks.
# - A model file (src/<folder>/*.h, *.cpp) includes model headers of its own
#   layer or a lower one, never a header of a ui/ or net/ folder; data and
#   engine share a layer, and the subsystems above them include each other
#   without a circle.
# - A networking file (src/<folder>/net/) includes no window header.
# - A window file (src/<folder>/ui/) includes window headers of its own
#   layer or a lower one: platform/ui, then the host the windows build on
#   (host/ui), then the windows of the subsystems, which include each other
#   without a circle, then the main window (shell/ui) on top. No window
#   outside shell/ui includes the main window's header.
# - Only the main window asks the analysis-window factory for a window.
# Usage: check_layers.sh [source-folder] (src/ beside this script by default).
# Prints every breach and fails when there is one. Run by ctest (./test.sh).
set -euo pipefail
cd "${1:-$(dirname "$0")/../src}"

# The layer of a folder's model (L) and of its windows (W).
layer() {
    case "$1" in
    platform) L=0 ;;
    core) L=1 ;;
    data | engine) L=2 ;;
    *) L=3 ;;
    esac
}

window_layer() {
    case "$1" in
    platform) W=0 ;;
    host) W=1 ;;
    shell) W=3 ;;
    *) W=2 ;;
    esac
}

failures=0
edges=$(mktemp)
window_edges=$(mktemp)
trap 'rm -f "$edges" "$window_edges" "$edges.loop"' EXIT

breach() {
    echo "check_layers: $*" >&2
    failures=$((failures + 1))
}

shopt -s nullglob
files=(*/*.h */*.cpp */net/*.h */net/*.cpp */ui/*.h */ui/*.cpp)

# Every include of every file, one a line: file, included path and form ("
# or <), tab-separated.
includes() {
    grep -H -E '^[[:space:]]*#[[:space:]]*include' -- "${files[@]}" |
        sed -n -e 's/^\([^:]*\):[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1\t\2\t"/p' \
            -e 's/^\([^:]*\):[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\)>.*/\1\t\2\t</p'
}

while IFS=$'\t' read -r file included form; do
    target=${included%%/*}
    [[ $included == */* && -d $target ]] || continue
    folder=${file%%/*}
    if [ "$form" = "<" ]; then
        breach "$file includes the project header $included with <...>; use \"...\""
    fi
    if [[ $file == */ui/* ]]; then
        [[ $included == */ui/* ]] || continue
        if [ "$included" = shell/ui/mdi_main.h ] && [ "$folder" != shell ]; then
            breach "$file includes the main window's header $included; windows use host/ui"
            continue
        fi
        window_layer "$folder"
        own=$W
        window_layer "$target"
        if ((W > own)); then
            breach "$file (window layer $own) includes the window header $included (window layer $W)"
        elif ((own == 2 && W == 2)) && [ "$target" != "$folder" ]; then
            echo "$folder $target" >>"$window_edges"
        fi
        continue
    fi
    if [[ $included == */ui/* ]]; then
        breach "$file includes the window header $included"
        continue
    fi
    [[ $file == */net/* ]] && continue
    if [[ $included == */net/* ]]; then
        breach "$file includes the networking header $included"
        continue
    fi
    layer "$folder"
    own=$L
    layer "$target"
    if ((L > own)); then
        breach "$file (layer $own) includes $included (layer $L)"
    elif ((own == 3 && L == 3)) && [ "$target" != "$folder" ]; then
        echo "$folder $target" >>"$edges"
    fi
done < <(includes)

# tsort reports a circle as a loop.
if ! tsort "$edges" >/dev/null 2>"$edges.loop"; then
    breach "the subsystems' models include each other in a circle: $(tr '\n' ' ' <"$edges.loop")"
fi
if ! tsort "$window_edges" >/dev/null 2>"$edges.loop"; then
    breach "the subsystems' windows include each other in a circle: $(tr '\n' ' ' <"$edges.loop")"
fi

# The factory of the analysis windows is declared in core, made by the
# analysis windows and called by the main window only.
while IFS= read -r file; do
    case "$file" in
    core/infer_form_factory.h | analysis/ui/infer_windows.cpp | shell/ui/mdi_main*.cpp) ;;
    *) breach "$file asks for an analysis window; only the main window makes them" ;;
    esac
done < <(grep -l -- 'CreateInferForm' "${files[@]}" || true)

if ((failures > 0)); then
    echo "check_layers: $failures breach(es)" >&2
    exit 1
fi
echo "check_layers: the dependencies run one way"
