#!/bin/sh
# Installs the Debian packages the build needs, only those that are missing.
# fonts-wqy-microhei gives Wine the Chinese and Japanese glyphs of the pad.
set -eu
packages="cmake make g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 xvfb xauth googletest python3
  clang-format fonts-wqy-microhei"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -n "$missing" ] || exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing
