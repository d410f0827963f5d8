#!/usr/bin/env bash
# Installs what is missing, builds, and starts the desktop program with simulated devices behind
# COM1..COM4 and a demo configuration open, so everything can be tried without a TALV device:
# connect, request configuration mode, receive, send, start, check.
#
#   tools/run.sh [FILE.kov]        default: the demo chain of five devices
#
# The simulated device behind COMn holds the values of device n of the plan that is opened (a
# device the plan lacks: factory values), so a receive shows the plan's values. With the demo
# plan, device 2 differs in one value: its partner number 2 is 3109, not the plan's 3101.
# The simulated devices (talvsim on pseudo-terminals) reset themselves every few seconds while
# they are not in configuration mode, as if a technician pressed their reset key. The program
# runs with a settings folder of its own for this run: a copy of the user's settings with COM1..COM4
# pointing at the simulated devices. Nothing the run changes reaches the user's real settings.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/tools/install-deps.sh"

build=build/app
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j "$(nproc)"

demo=samples/Kette-fuenf-Standorte.kov
plan=${1:-$demo}
tmp=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$tmp"
}
trap cleanup EXIT

user_config=${XDG_CONFIG_HOME:-$HOME/.config}
export XDG_CONFIG_HOME=$tmp/config
mkdir -p "$XDG_CONFIG_HOME"
cp "$user_config"/TALVConfig*.INI "$XDG_CONFIG_HOME"/ 2>/dev/null || true

# Whether the plan has a section [Device<n>] (names without regard to case, a UTF-8 byte-order
# mark before the first one); talvsim refuses a device the plan lacks.
has_device() {
  LC_ALL=C grep -Eiqs $'^(\xef\xbb\xbf)?[ \t]*\\[[ \t]*device'"$1"$'[ \t]*\\]' "$plan"
}

ports=()
for n in 1 2 3 4; do
  values=()
  if has_device "$n"; then values=(--plan "$plan" --device "$n"); fi
  if [ "$plan" = "$demo" ] && [ "$n" = 2 ]; then values+=(--set AutomaticCallNumber2=3109); fi
  "$build/sim/talvsim" --pace --split --seed "$n" --auto-reset 5 "${values[@]}" \
    </dev/null >"$tmp/sim$n.out" 2>"$tmp/sim$n.log" &
  pid=$!
  pids+=("$pid")
  for _ in $(seq 100); do
    { [ -s "$tmp/sim$n.out" ] || ! kill -0 "$pid" 2>/dev/null; } && break
    sleep 0.05
  done
  ports+=("$(head -n 1 "$tmp/sim$n.out")")
  [ -n "${ports[-1]}" ] || { cat "$tmp/sim$n.log" >&2; echo "talvsim $n did not start" >&2; exit 1; }
done

# COM1..COM4 of this run's settings point at the simulated devices; the rest of the user's
# settings (window placement, options) stays as it is in the copy.
settings=$XDG_CONFIG_HOME/TALVConfig.INI
touch "$settings"
awk 'BEGIN { skip = 0 }
     /^[ \t]*\[/ { skip = (tolower($0) ~ /^[ \t]*\[[ \t]*ports[ \t]*\]/) }
     !skip' "$settings" >"$tmp/settings"
{
  cat "$tmp/settings"
  printf '\r\n[Ports]\r\n'
  for n in 1 2 3 4; do printf 'COM%d=%s\r\n' "$n" "${ports[$((n - 1))]}"; done
} >"$settings"

echo "simulated TALV devices: COM1..COM4 = ${ports[*]}"
"$build/main/TALVConfig" "$plan"
