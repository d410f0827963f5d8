#!/bin/bash
# talvctl.exe under Wine against the simulated device, each result compared with what the Linux
# talvctl gives on the same device and files: a technician on Windows must get what one on Linux
# gets. Run by tools/wine-test.sh, which sets up (in the environment):
#   WINE         the wine64 loader, in a prefix whose COM5 is the simulated device's pty
#   TALVCTL_EXE  talvctl.exe             TALVCTL      the Linux talvctl
#   SIM_PTY      the device's pty        SIM_CONTROL  the device's command fifo
#   TALVCTL_ZIP  the Windows zip         WORK         a scratch folder
set -uo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
export LC_ALL=C.UTF-8
failures=0
rc=0 out= err=

# Both programs run with the output of each in out and err (Windows' carriage returns taken out,
# its text mode adds them) and the status in rc.
capture() {
    timeout 120 "$@" >"$WORK/out" 2>"$WORK/err"
    rc=$?
    out=$(tr -d '\r' <"$WORK/out")
    err=$(tr -d '\r' <"$WORK/err")
}
win() { capture "$WINE" "$TALVCTL_EXE" "$@"; }
lin() { capture "$TALVCTL" "$@"; }
winpath() { local path=$1; echo "Z:${path//\//\\}"; }

expect() {
    local what=$1
    shift
    if "$@"; then
        echo "ok   $what"
    else
        echo "FAIL $what"
        echo "     status $rc; output: $out"
        echo "     errors: $err"
        failures=$((failures + 1))
    fi
}

# Runs a talvctl's request-config-mode and resets the device once it waits for the start string.
config_mode() {
    "$@" --lang de request-config-mode >"$WORK/rcm" 2>&1 &
    local pid=$!
    for _ in $(seq 300); do
        grep -q "Warte auf Start" "$WORK/rcm" && break
        sleep 0.1
    done
    echo reset >"$SIM_CONTROL"
    wait "$pid"
    rc=$?
    out=$(tr -d '\r' <"$WORK/rcm")
    err=
}

files="$WORK/Anlage Süd"
mkdir -p "$files"
plan="$files/Kette fünf Standorte.kov"
cp "$source_dir/samples/Kette-fuenf-Standorte.kov" "$plan"

config_mode "$WINE" "$TALVCTL_EXE" --port COM5
expect "request-config-mode after the device's reset" [ "$rc" -eq 0 ]

win --port COM5 receive
windows=$out
lin --port "$SIM_PTY" receive
expect "receive prints what the Linux talvctl prints" [ "$rc" -eq 0 -a -n "$out" -a "$windows" = "$out" ]
win --port '\\.\COM5' receive
expect "--port takes the device namespace's name of a port" [ "$rc" -eq 0 -a "$out" = "$windows" ]

sent=(MsnIncoming1=3101 MsnIncoming2=3102 AutomaticCallMode=1 AutomaticCallNumber1=3201 AutomaticCallNumber2=3202
      IsdnDChannelProtocol=5)
win --port COM5 send "${sent[@]}"
status=$rc
lin --port "$SIM_PTY" receive
expect "send KEY=VALUE stores the values in the device" [ "$status" -eq 0 -a "$out" = "$(printf '%s\n' "${sent[@]}")" ]

win --port COM5 send "$(winpath "$plan")" --device 2
status=$rc
lin --port "$SIM_PTY" diff "$plan" --device 2
expect "send of a file with umlauts in its path" [ "$status" -eq 0 -a "$rc" -eq 0 ]

# COM1..COM4 reach the ports that section "Ports" of the settings file names.
appdata=$("$WINE" cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')
settings=$("$WINE" winepath -u "$appdata" 2>/dev/null)/TALV-Configurator
mkdir -p "$settings"
printf '[Ports]\r\nCOM2=COM5\r\n' >"$settings/TALVConfig.INI"
received="$files/Empfang Müller.kov"
win --port COM2 receive --into "$(winpath "$received")" --device 3
status=$rc
lin --port "$SIM_PTY" diff "$received" --device 3
expect "receive --into a new file through COM2 of the settings file" [ "$status" -eq 0 -a "$rc" -eq 0 ]
rm -rf "$settings"

for file in "$plan" "$received"; do
    for lang in de en; do
        win --lang "$lang" show "$(winpath "$file")"
        windows=$out
        lin --lang "$lang" show "$file"
        expect "show ($lang) of $(basename "$file")" [ "$rc" -eq 0 -a -n "$out" -a "$windows" = "$out" ]
    done
done

checked="$files/Prüfung.kov"
cp "$source_dir/samples/Fehlerbeispiel.kov" "$checked"
for lang in de en; do
    win --lang "$lang" check "$(winpath "$checked")"
    windows="$rc $out"
    lin --lang "$lang" check "$checked"
    expect "check ($lang) finds what the Linux talvctl finds" [ -n "$out" -a "$windows" = "$rc $out" ]
done

# Without --lang, the language of the user's interface: English in this prefix.
win check "$(winpath "$checked")"
windows="$rc $out"
lin --lang en check "$checked"
expect "check without --lang speaks the interface's language" [ "$windows" = "$rc $out" ]

win --lang de report "$(winpath "$plan")" -o "$(winpath "$files/Bericht.pdf")"
expect "report is not available in this build" \
    [ "$rc" -ne 0 -a "${err#*keine Berichte}" != "$err" -a ! -e "$files/Bericht.pdf" ]

win --port COM5 go
expect "go" [ "$rc" -eq 0 ]

config_mode "$WINE" "$TALVCTL_EXE" --port COM5
echo silent >"$SIM_CONTROL"
win --lang en --port COM5 receive
windows="$rc $err"
lin --lang en --port "$SIM_PTY" receive
expect "a silent device is a time-out" [ "$rc" -ne 0 -a -n "$err" -a "$windows" = "$rc $err" ]
echo speak >"$SIM_CONTROL"

# Another program holds the port: the Linux talvctl, waiting for the device's reset. The reset
# that ends its wait lets go of the port.
"$TALVCTL" --lang de --port "$SIM_PTY" request-config-mode >"$WORK/holder" 2>&1 &
holder=$!
for _ in $(seq 300); do
    grep -q "Warte auf Start" "$WORK/holder" && break
    sleep 0.1
done
win --lang de --port COM5 receive
expect "a busy port fails to open, with the system's text" \
    [ "$rc" -eq 1 -a -z "$out" -a "${err#*'(\\.\COM5) kann nicht geöffnet werden: '}" != "$err" ]
echo reset >"$SIM_CONTROL"
wait "$holder"
win --port COM5 receive
expect "the port opens again once it is free" [ "$rc" -eq 0 ]

# The zip, unpacked, runs on its samples.
unpacked=$WORK/zip
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$TALVCTL_ZIP")
folder=$unpacked/$(basename "$TALVCTL_ZIP" .zip)
expect "the zip holds the program, the samples and the read-me files" \
    [ -f "$folder/talvctl.exe" -a -f "$folder/samples/Punkt-zu-Punkt.kov" -a -f "$folder/LIESMICH.txt" -a -f "$folder/README.txt" ]
for sample in "$source_dir"/samples/*.kov; do
    name=$(basename "$sample")
    windows=$(cd "$folder" && timeout 120 "$WINE" talvctl.exe --lang de check "samples\\$name" 2>&1 | tr -d '\r'; echo "status ${PIPESTATUS[0]}")
    linux=$("$TALVCTL" --lang de check "$sample" 2>&1; echo "status $?")
    rc=; out=$windows; err=
    expect "the unpacked talvctl.exe checks samples\\$name" [ "$windows" = "$linux" ]
done

echo "talvctl under Wine: $failures failed"
[ "$failures" -eq 0 ]
