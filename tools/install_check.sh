#!/usr/bin/env bash
# Installs a configured build into a fresh prefix and starts the installed
# program on a fresh program folder (offscreen): it must seed the sample game
# from the defaults of its installation and end cleanly on SIGTERM.
#   tools/install_check.sh BUILD_DIR
set -euo pipefail
build=${1:?build folder}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cmake --install "$build" --prefix "$work/prefix" >/dev/null
program="$work/prefix/bin/kelton"
[ -x "$program" ] || { echo "install_check: no program at $program" >&2; exit 1; }
[ -f "$work/prefix/share/kelton/LottorTemplate/3D.Ltr" ] || { echo "install_check: no defaults installed" >&2; exit 1; }

export QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$work/home" HOME="$work/home"
folder="$XDG_DATA_HOME/Kelton/Kelton"
"$program" >"$work/out.log" 2>&1 &
pid=$!
for _ in $(seq 1 100); do
    [ -f "$folder/Kelt.dat" ] && ls "$folder"/Lottor/lottor* >/dev/null 2>&1 && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
kill -TERM "$pid" 2>/dev/null || true
status=0
wait "$pid" || status=$?
if ! ls "$folder"/Lottor/lottor* >/dev/null 2>&1 || [ ! -s "$folder/Kelt.dat" ]; then
    echo "install_check: the installed program did not seed its program folder" >&2
    cat "$work/out.log" >&2
    exit 1
fi
if [ "$status" -ne 0 ]; then
    echo "install_check: the installed program ended with status $status" >&2
    cat "$work/out.log" >&2
    exit 1
fi
echo "install_check: the installed program starts and seeds its folder"
