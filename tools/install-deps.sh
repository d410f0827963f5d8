#!/usr/bin/env bash
# Installs the Debian 12 packages the project needs, and any further packages named as
# arguments (tools/screenshots.sh names its own). Quick when everything is there already.
# Only installing needs root: as root apt-get runs directly, as any other user through sudo
# (which may ask for the password). Without root or sudo the missing packages are named with
# the command that installs them, and the set-up stops. Nothing else is done as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  clang libclang-rt-14-dev
  googletest libgtest-dev libgmock-dev
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  xvfb poppler-utils
  g++-mingw-w64-x86-64-posix wine64
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

install_hint() {
  echo "missing packages: ${missing[*]}" >&2
  echo "install them as root, then run this again:" >&2
  echo "  su -c 'apt-get update && apt-get install --no-install-recommends ${missing[*]}'" >&2
}

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "installing packages needs root, and sudo is not available." >&2
  install_hint
  exit 1
fi

echo "installing: ${missing[*]}"
# sudo passes no environment on; env sets it for apt-get itself.
apt_get() { "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get "$@"; }
if ! apt_get update -qq || ! apt_get install -y -qq --no-install-recommends "${missing[@]}"; then
  install_hint
  exit 1
fi
