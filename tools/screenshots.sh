#!/usr/bin/env bash
# Screenshots of the desktop program as PNG files: the main window with six devices, the about
# box, the file-open dialog, the comment dialog, the press-reset dialog in its statuses, the
# options dialog, the help window, and the main window and options dialog in English.
#
#   tools/screenshots.sh [OUTPUT_FOLDER]          default: build/screenshots
#   BUILD_DIR=build/release tools/screenshots.sh  the build folder to use (default build/release;
#                                                 TALVConfig and talvsim are built when missing)
#
# How it works, and why this way:
# - The program runs unchanged under Xvfb, a virtual X server; it has no developer switches.
#   There is no window manager, so the shots show the windows' client areas without frames.
# - xdotool presses the keys a user would press (Alt+H I for the about box, Ctrl+O, Alt+K Space
#   for a comment) and clicks the first panel's "Verbinden" and "Konfigurationsmodus" buttons at
#   their designed places; ImageMagick's `import -window ID` grabs one window.
# - A simulated device (talvsim) on a pseudo-terminal stands behind COM1, so "Verbinden" and
#   "Konfigurationsmodus" work; `reset` typed into its standard input plays the reset key. A
#   status shot that shows nothing new is dropped with a warning (the device did not answer).
# - The program gets a settings folder of its own (XDG_CONFIG_HOME in a temporary folder) with
#   COM1 mapped to the simulated device; the user's settings are neither read nor changed. The
#   settings the program writes when it closes are copied next to the shots (settings.ini).
# - Windows are found by their titles. Waiting for a window is polling with a time limit; the short
#   pauses before a shot let the program paint, since X offers no "painted" signal.
set -euo pipefail
cd "$(dirname "$0")/.."

out=${1:-build/screenshots}
build=${BUILD_DIR:-build/release}

# ---- packages ----------------------------------------------------------------------------------
"$PWD/tools/install-deps.sh" xdotool imagemagick

# ---- program -----------------------------------------------------------------------------------
program=$build/main/TALVConfig
sim=$build/sim/talvsim
if [ ! -x "$program" ] || [ ! -x "$sim" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build "$build" --target TALVConfig talvsim
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)

tmp=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

# ---- simulated device behind COM1 --------------------------------------------------------------
mkfifo "$tmp/sim.in"
"$sim" <"$tmp/sim.in" >"$tmp/sim.out" 2>"$tmp/sim.log" &
pids+=($!)
exec 3>"$tmp/sim.in"   # keeps the device's input open; commands go here
for _ in $(seq 100); do [ -s "$tmp/sim.out" ] && break; sleep 0.05; done
device=$(head -n 1 "$tmp/sim.out")
[ -n "$device" ] || { echo "talvsim did not start" >&2; exit 1; }

export XDG_CONFIG_HOME=$tmp/config
mkdir -p "$XDG_CONFIG_HOME"
printf '[Ports]\r\nCOM1=%s\r\n' "$device" >"$XDG_CONFIG_HOME/TALVConfig.INI"

# ---- a configuration with six devices ----------------------------------------------------------
sample=$tmp/Sechs-Geraete.kov
{
  for n in 1 2 3 4 5 6; do
    partner=$(( n % 2 == 1 ? n + 1 : n - 1 ))
    mode=$(( n % 2 == 1 ? 1 : 3 ))
    printf '[Device%d]\r\nKOVName=Station %d\r\nMsnIncoming1=030%d1\r\nMsnIncoming2=-\r\n' "$n" "$n" "$n"
    printf 'AutomaticCallMode=%d\r\nAutomaticCallNumber1=030%d1\r\nAutomaticCallNumber2=-\r\n' "$mode" "$partner"
    printf 'IsdnDChannelProtocol=0\r\nCOMPort=%d\r\n\r\n' $(( (n - 1) % 4 + 1 ))
  done
  printf '[Device1.Memo]\r\nCount=2\r\nItem0=Schaltschrank 1, Feld 3\r\nItem1=Strecke zur Station 2\r\n'
} >"$sample"

# ---- X server ----------------------------------------------------------------------------------
# Xvfb picks a free display number and writes it to the file.
Xvfb -displayfd 4 -screen 0 1280x1024x24 -nolisten tcp 4>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$tmp/display" ] && break; sleep 0.05; done
DISPLAY=:$(head -n 1 "$tmp/display")
export DISPLAY
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done

# The id of the first visible window whose title matches, waiting up to 10 s.
wait_window() {
  local id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.05
  done
  echo "no window '$1'" >&2
  return 1
}

# Waits until no visible window matches the title.
wait_gone() {
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.05
  done
  echo "window '$1' stayed open" >&2
  return 1
}

shot() {
  sleep 0.5
  import -window "$1" "$out/$2.png"
  echo "$out/$2.png"
}

# Keys typed into a window. Without a window manager nobody gives windows the input focus, so
# the window gets it first; the keys then come through the X test extension like real ones.
keys() {
  xdotool windowfocus --sync "$1"
  for key in "${@:2}"; do
    xdotool key --clearmodifiers "$key"
    sleep 0.2
  done
}

# ---- the program -------------------------------------------------------------------------------
"$program" "$sample" >"$tmp/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
main=$(wait_window '^TALV-Configurator V')
shot "$main" main-six-devices

keys "$main" alt+h i
about=$(wait_window ' - Info$')
shot "$about" about-box
keys "$about" Escape
wait_gone ' - Info$'

keys "$main" ctrl+o
open=$(wait_window '^(Open|Öffnen)$')
shot "$open" file-open
keys "$open" Escape
wait_gone '^(Open|Öffnen)$'

# Alt+K is the mnemonic of all six "Kommentar" buttons: the first press focuses the first one,
# Space presses it.
keys "$main" alt+k space
if memo=$(wait_window 'Kommentar'); then
  shot "$memo" comment
  keys "$memo" Escape
  wait_gone 'Kommentar'
fi

# The first panel's own buttons "Verbinden" and "Konfigurationsmodus", at their places in the
# designed layout (the "Gerät" menu would need the panel to be selected first).
xdotool mousemove --window "$main" 200 75 click 1
sleep 0.5
xdotool mousemove --window "$main" 228 75 click 1
if press=$(wait_window 'Konfigurationsmodus anfordern'); then
  shot "$press" press-reset-1-waiting
  echo reset >&3
  sleep 0.5
  shot "$press" press-reset-2-confirmed
  sleep 2
  shot "$press" press-reset-3-entered
  # A status that did not come shows the one before; such a shot is dropped.
  for n in 2-confirmed 3-entered; do
    if compare -metric AE "$out/press-reset-1-waiting.png" "$out/press-reset-$n.png" null: 2>/dev/null; then
      rm "$out/press-reset-$n.png"
      echo "press-reset-$n: the status did not change; is COM1 the simulated device ($device)?" >&2
    fi
  done
  if ! wait_gone 'Konfigurationsmodus anfordern'; then
    keys "$press" Escape
    wait_gone 'Konfigurationsmodus anfordern'
  fi
fi
shot "$main" main-after-request

# The options dialog: Extras > Optionen..., both pages.
keys "$main" alt+x o
if options=$(wait_window '^Optionen$'); then
  shot "$options" options-view
  keys "$options" ctrl+Tab
  shot "$options" options-communication
  keys "$options" Escape
  wait_gone '^Optionen$'
fi

# Help on the main window (F1), then the demo configurations from the help menu.
keys "$main" F1
if help=$(wait_window 'Hilfe'); then
  shot "$help" help-main-window
fi

# "Beenden"; the settings written on closing go next to the shots.
keys "$main" alt+F4
for _ in $(seq 200); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$program_pid" 2>/dev/null; then
  shot "$(xdotool search --onlyvisible --name '.' | tail -n 1)" close-question
  echo "the program did not end after Alt+F4" >&2
elif wait "$program_pid"; then
  cp "$XDG_CONFIG_HOME/TALVConfig.INI" "$out/settings.ini"
else
  echo "the program ended with status $?:" >&2
  cat "$tmp/program.log" >&2
  exit 1
fi
# The English interface: the language setting of this program file says "EN" for a second run.
printf '[Language]\r\n%s=EN\r\n' "$(cd "$(dirname "$program")" && pwd)/$(basename "$program")" \
  >"$XDG_CONFIG_HOME/TALVConfigLanguage.INI"
"$program" "$sample" >"$tmp/program-en.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")
main=$(wait_window '^TALV-Configurator V')
shot "$main" main-english
keys "$main" alt+x o
if options=$(wait_window '^Options$'); then
  shot "$options" options-english
  keys "$options" Escape
  wait_gone '^Options$'
fi
keys "$main" alt+F4
for _ in $(seq 200); do kill -0 "$program_pid" 2>/dev/null || break; sleep 0.05; done
echo "screenshots in $out"
