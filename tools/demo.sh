#!/usr/bin/env bash
# Installs what is missing, builds, and shows talvctl working against the simulated device:
# configuration mode through the reset procedure, reading, writing and starting the device.
set -euo pipefail
cd "$(dirname "$0")/.."
"$PWD/tools/install-deps.sh"

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build/release -j "$(nproc)" --target talvctl talvsim

sim_out=$(mktemp)
sim_in=$(mktemp -u)
mkfifo "$sim_in"
# The simulated device resets itself every 3 s until it is in configuration mode, as if the
# technician pressed its reset key; its commands arrive on the fifo.
build/release/sim/talvsim --pace --split --auto-reset 3 <"$sim_in" >"$sim_out" 2>/dev/null &
sim_pid=$!
exec 3>"$sim_in"
cleanup() { echo quit >&3 2>/dev/null || true; exec 3>&-; wait "$sim_pid" 2>/dev/null || true; rm -f "$sim_in" "$sim_out"; }
trap cleanup EXIT

for _ in $(seq 50); do [ -s "$sim_out" ] && break; sleep 0.1; done
port=$(head -n 1 "$sim_out")
talvctl() { echo "\$ talvctl $*"; build/release/cli/talvctl "$@"; echo; }

echo "simulated TALV device on $port"
echo
talvctl --port "$port" --log request-config-mode receive
talvctl --port "$port" --timeout 1000 send MsnIncoming1=301 MsnIncoming2=302 AutomaticCallMode=1 \
  AutomaticCallNumber1=401 AutomaticCallNumber2=- IsdnDChannelProtocol=0
talvctl --port "$port" receive go
