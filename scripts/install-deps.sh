#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root). Safe to run again:
# it does nothing when every package is already there.
set -euo pipefail

packages=(
  cmake make g++ libgtest-dev googletest clang-format shellcheck python3
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64 wine32:i386 xvfb xauth x11-utils xdotool imagemagick fonts-liberation fonts-wine
  util-linux clang lld nodejs
)
# npm comes inside some builds of nodejs, and as a package of its own beside Debian's.
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive

# Runs apt-get under a time limit in seconds, as every step of the tests runs: a mirror that stops
# answering must not hold the caller for good.
apt_get() {
  local limit=$1 rc=0
  shift
  timeout --kill-after=30 "$limit" apt-get "$@" || rc=$?
  if [ "$rc" -eq 124 ] || [ "$rc" -eq 137 ]; then
    echo "install-deps.sh: apt-get $1 did not finish within $limit s and was stopped" >&2
  fi
  return "$rc"
}

apt_get 600 update -qq
apt_get 1800 install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
