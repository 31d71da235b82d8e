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

layer() {
    case "$1" in
    platform) echo 0 ;;
    core) echo 1 ;;
    data | engine) echo 2 ;;
    *) echo 3 ;;
    esac
}

window_layer() {
    case "$1" in
    platform) echo 0 ;;
    host) echo 1 ;;
    shell) echo 3 ;;
    *) echo 2 ;;
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

# Every include of a file as "path<TAB>form", form being " or <.
includes() {
    sed -n -e 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1\t"/p' \
        -e 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*<\([^>]*\)>.*/\1\t</p' "$1"
}

for folder in */; do
    folder=${folder%/}
    own=$(layer "$folder")
    ownWindow=$(window_layer "$folder")
    for file in "$folder"/*.h "$folder"/*.cpp "$folder"/net/*.h "$folder"/net/*.cpp \
        "$folder"/ui/*.h "$folder"/ui/*.cpp; do
        [ -f "$file" ] || continue
        tier=model
        [[ $file == */net/* ]] && tier=net
        [[ $file == */ui/* ]] && tier=window
        while IFS=$'\t' read -r included form; do
            target=${included%%/*}
            [[ $included == */* && -d $target ]] || continue
            if [ "$form" = "<" ]; then
                breach "$file includes the project header $included with <...>; use \"...\""
            fi
            if [ "$tier" = window ]; then
                [[ $included == */ui/* ]] || continue
                if [ "$included" = shell/ui/mdi_main.h ] && [ "$folder" != shell ]; then
                    breach "$file includes the main window's header $included; windows use host/ui"
                    continue
                fi
                theirs=$(window_layer "$target")
                if ((theirs > ownWindow)); then
                    breach "$file (window layer $ownWindow) includes the window header $included (window layer $theirs)"
                elif ((ownWindow == 2 && theirs == 2)) && [ "$target" != "$folder" ]; then
                    echo "$folder $target" >>"$window_edges"
                fi
                continue
            fi
            if [[ $included == */ui/* ]]; then
                breach "$file includes the window header $included"
                continue
            fi
            [ "$tier" = model ] || continue
            if [[ $included == */net/* ]]; then
                breach "$file includes the networking header $included"
                continue
            fi
            theirs=$(layer "$target")
            if ((theirs > own)); then
                breach "$file (layer $own) includes $included (layer $theirs)"
            elif ((own == 3 && theirs == 3)) && [ "$target" != "$folder" ]; then
                echo "$folder $target" >>"$edges"
            fi
        done < <(includes "$file")
    done
done

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
done < <(grep -l -- 'CreateInferForm' */*.h */*.cpp */net/*.h */net/*.cpp */ui/*.h */ui/*.cpp 2>/dev/null || true)

if ((failures > 0)); then
    echo "check_layers: $failures breach(es)" >&2
    exit 1
fi
echo "check_layers: the dependencies run one way"
