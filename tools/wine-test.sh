#!/bin/bash
# Builds the Windows programs with MinGW-w64 and the zip of talvctl, and runs their tests under
# Wine, with the simulated device of the Linux build on a pseudo-terminal that the Wine prefix
# offers as COM5: the serial port's tests, then talvctl.exe beside the Linux talvctl.
#   tools/wine-test.sh [linux-build-folder]   (default build/rel; it must hold sim/talvsim and
#                                              cli/talvctl)
# Needs x86_64-w64-mingw32-g++-posix, wine64, Ninja and setpriv. Everything it starts and the
# temporary Wine prefix go away when it ends.
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/.." && pwd)
linux_build=${1:-$source_dir/build/rel}
win_build=$source_dir/build/win
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
talvsim=$linux_build/sim/talvsim
talvctl=$linux_build/cli/talvctl
[[ -x $talvsim && -x $talvctl ]] || { echo "no $talvsim or $talvctl: build the Linux tree first" >&2; exit 1; }

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
    -DCMAKE_BUILD_TYPE=Release -DBUILD_GUI=OFF -DBUILD_TESTING=ON >/dev/null
cmake --build "$win_build" -j2 --target test_win_serial talvctl
(cd "$win_build" && cpack -G ZIP >/dev/null)
zip=$(ls "$win_build"/talvctl-*-win64.zip 2>/dev/null | head -n 1)
[[ -n $zip ]] || { echo "cpack made no talvctl-<version>-win64.zip" >&2; exit 1; }

mkdir -p "$WINEPREFIX"
# One server for the whole run, quiet, ended by the cleanup; wineboot makes the prefix. The server
# opens the ports: without the administrator's right to override a terminal's exclusive use, it
# finds a port another program holds busy, as a technician's Windows does (this runs as root).
setpriv --bounding-set -sys_admin "$wineserver" -p >/dev/null 2>&1
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

TALV_TEST_PORT=COM5 "$wine" "$win_build/tests/win/test_win_serial.exe" --gtest_filter=-WinCtrlC.*
# Wine sends a console's Ctrl-C only where the console is a terminal: script lends it one. A
# process that Ctrl-C ends there reports success, so the test's own verdict decides (the console
# draws it with cursor movements in place of blanks).
script -qec "$wine $win_build/tests/win/test_win_serial.exe --gtest_color=no --gtest_filter=WinCtrlC.*" "$work/ctrlc.log" >/dev/null 2>&1 || true
verdict=$(tr -d '\r' <"$work/ctrlc.log" | sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' | tr -d ' \t')
grep -q '\[PASSED\]1test\.' <<<"$verdict" || { echo "WinCtrlC failed:" >&2; echo "$verdict" >&2; exit 1; }
echo "WinCtrlC passed"

WINE=$wine TALVCTL_EXE=$win_build/cli/talvctl.exe TALVCTL=$talvctl SIM_PTY=$pty SIM_CONTROL=$work/sim.in \
    TALVCTL_ZIP=$zip WORK=$work "$source_dir/tests/win/talvctl_wine_test.sh"
