#!/usr/bin/env bash
# Checks that the dependencies of src/ run one way (docs/ARCHITECTURE.md):
#   platform -> core -> data, engine -> the other subsystems -> windows.
# - A model file (src/<folder>/*.h, *.cpp) includes model headers of its own
#   layer or a lower one, never a header of a ui/ or net/ folder; data and
#   engine share a layer, and the subsystems above them include each other
#   without a circle.
# - A networking file (src/<folder>/net/) includes no window header.
# - No model file makes a window: only the main window asks the
#   analysis-window factory for one.
# Prints every breach and fails when there is one. Run by ctest (./test.sh).
set -euo pipefail
cd "$(dirname "$0")/../src"

layer() {
    case "$1" in
    platform) echo 0 ;;
    core) echo 1 ;;
    data | engine) echo 2 ;;
    *) echo 3 ;;
    esac
}

failures=0
edges=$(mktemp)
trap 'rm -f "$edges"' EXIT

breach() {
    echo "check_layers: $*" >&2
    failures=$((failures + 1))
}

for folder in */; do
    folder=${folder%/}
    own=$(layer "$folder")
    for file in "$folder"/*.h "$folder"/*.cpp "$folder"/net/*.h "$folder"/net/*.cpp; do
        [ -f "$file" ] || continue
        tier=model
        [[ $file == */net/* ]] && tier=net
        while IFS= read -r included; do
            target=${included%%/*}
            [ -d "$target" ] || continue
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
        done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$file")
    done
done

# tsort reports a circle among the subsystems' models as a loop.
if ! tsort "$edges" >/dev/null 2>"$edges.loop"; then
    breach "the subsystems' models include each other in a circle: $(tr '\n' ' ' <"$edges.loop")"
fi
rm -f "$edges.loop"

# The factory of the analysis windows is declared in core and called by the
# main window only.
while IFS= read -r file; do
    breach "$file asks for an analysis window; only the main window makes them"
done < <(grep -l 'CreateInferForm' */*.h */*.cpp | grep -v '^core/infer_form_factory\.h$' || true)

if ((failures > 0)); then
    echo "check_layers: $failures breach(es)" >&2
    exit 1
fi
echo "check_layers: the dependencies run one way"
