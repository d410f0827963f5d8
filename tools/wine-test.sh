#!/bin/bash
# Builds the Windows programs with MinGW-w64 and runs their tests under Wine, with the simulated
# device of the Linux build on a pseudo-terminal that the Wine prefix offers as COM5.
#   tools/wine-test.sh [linux-build-folder]   (default build/rel; it must hold sim/talvsim)
# Needs x86_64-w64-mingw32-g++-posix, wine64 and Ninja. Everything it starts and the temporary
# Wine prefix go away when it ends.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
linux_build=${1:-$source_dir/build/rel}
win_build=$source_dir/build/win
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
talvsim=$linux_build/sim/talvsim
[[ -x $talvsim ]] || { echo "no $talvsim: build the Linux tree first" >&2; exit 1; }

work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
sim_pid=
cleanup() {
    if [[ -n $sim_pid ]]; then
        echo quit >&3 || true
        exec 3>&-
        kill "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
    [[ -d $WINEPREFIX ]] && "$wineserver" -k >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT

cmake -S "$source_dir" -B "$win_build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$source_dir/cmake/toolchain-mingw-w64.cmake" \
    -DBUILD_GUI=OFF -DBUILD_TESTING=ON >/dev/null
cmake --build "$win_build" -j2 --target test_win_serial

mkdir -p "$WINEPREFIX"
# One server for the whole run, quiet, ended by the cleanup; wineboot makes the prefix.
"$wineserver" -p >/dev/null 2>&1
"$wine" wineboot --init >/dev/null 2>&1

# The simulated device takes its commands on standard input (kept open here as descriptor 3) and
# prints its pseudo-terminal first. Its confirmation window stays open for the whole run, so the
# test may enter configuration mode whenever it gets there.
mkfifo "$work/sim.in"
"$talvsim" --confirm-window 600000 <"$work/sim.in" >"$work/sim.out" &
sim_pid=$!
exec 3>"$work/sim.in"
pty=
for _ in $(seq 100); do
    if [[ $(wc -l <"$work/sim.out") -ge 1 ]]; then
        pty=$(head -n 1 "$work/sim.out")
        break
    fi
    sleep 0.1
done
[[ -n $pty ]] || { echo "talvsim printed no pseudo-terminal" >&2; exit 1; }
ln -sf "$pty" "$WINEPREFIX/dosdevices/com5"
echo reset >&3

TALV_TEST_PORT=COM5 "$wine" "$win_build/tests/win/test_win_serial.exe"
