#!/usr/bin/env bash
# Protects the installation: installed into a temporary prefix, the programs run from there and
# the desktop program finds its catalogues, help and demo configurations inside that prefix.
#   install_tree_test.sh BUILD_DIR
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

for file in bin/TALVConfig bin/talvctl bin/talvsim \
            share/applications/talv-configurator.desktop \
            share/mime/packages/talv-configurator.xml \
            share/icons/hicolor/scalable/apps/talv-configurator.svg \
            share/talv-configurator/translations/TALVConfig_en.qm; do
  [ -e "$prefix/$file" ] || fail "$file is not installed"
done
ls "$prefix"/share/talv-configurator/samples/*.kov >/dev/null 2>&1 || fail "no demo configuration installed"
ls "$prefix"/share/talv-configurator/help/*/*.html >/dev/null 2>&1 || fail "no help pages installed"

# Run from elsewhere, so that nothing is found through the current folder.
cd /

version=$("$prefix/bin/talvctl" --version) || fail "talvctl --version failed"
[[ $version == *V[0-9]*.[0-9][0-9].[0-9][0-9]* ]] || fail "talvctl --version printed '$version'"
[ "$("$prefix/bin/TALVConfig" --version)" = "TALV-Configurator ${version##* }" ] ||
  fail "TALVConfig --version disagrees with talvctl: '$("$prefix/bin/TALVConfig" --version)'"

folders=$(QT_QPA_PLATFORM=offscreen "$prefix/bin/TALVConfig" --data-folders)
for name in translations help samples; do
  expected="$name: $prefix/share/talv-configurator/$name"
  grep -qxF "$expected" <<<"$folders" || fail "expected '$expected' in: $folders"
done

# Every installed demo configuration opens in the installed talvctl (a check that finds errors
# exits with 1, which the demo with deliberate mistakes does; 2 would mean it cannot be read).
for plan in "$prefix"/share/talv-configurator/samples/*.kov; do
  status=0
  "$prefix/bin/talvctl" show "$plan" >/dev/null || status=$?
  [ "$status" -eq 0 ] || fail "talvctl show $plan exited with $status"
done
echo "install tree OK"
