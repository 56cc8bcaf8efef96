#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root). Safe to run again:
# it does nothing when every package is already there.
set -euo pipefail

packages=(
    cmake make g++ libgtest-dev googletest clang-format shellcheck shfmt python3
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
    wine wine64 wine32:i386 xvfb xauth x11-utils xdotool imagemagick fonts-liberation fonts-wine
    util-linux clang clang-tidy lld nodejs nlohmann-json3-dev
)
# npm comes inside some builds of nodejs, and as a package of its own beside Debian's.
command -v npm >/dev/null || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi
export DEBIAN_FRONTEND=noninteractive

# shellcheck source=time-limit.sh
source "$(dirname "$0")/time-limit.sh"
# A mirror that stops answering must not hold the caller for good.
time_limited 600 "install-deps.sh: apt-get update" apt-get update -qq
time_limited 1800 "install-deps.sh: apt-get install" \
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
