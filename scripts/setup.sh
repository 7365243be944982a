#!/usr/bin/env bash
# Installs what building and testing RZEdit needs on a Debian 12 machine and
# prepares the project's own Wine prefix. Safe to run again: when everything is
# there it only checks and returns within a few seconds.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# fonts-wine: Wine's own fonts; without them the title bar's buttons are drawn
# as the letters their symbol font maps them to, in screenshots too.
packages=(
  cmake make g++-mingw-w64-x86-64-posix mingw-w64-tools googletest
  wine wine64 xvfb xauth x11-utils xdotool locales fonts-ipafont-gothic fonts-wine
  imagemagick sox python3 clang libclang-rt-14-dev libfuzzer-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The posix-thread flavour of MinGW gives std::thread and friends.
if command -v update-alternatives >/dev/null; then
  update-alternatives --set x86_64-w64-mingw32-g++ /usr/bin/x86_64-w64-mingw32-g++-posix >/dev/null 2>&1 || true
  update-alternatives --set x86_64-w64-mingw32-gcc /usr/bin/x86_64-w64-mingw32-gcc-posix >/dev/null 2>&1 || true
fi

# A Japanese locale, so that Wine's ANSI code page is 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating ja_JP.UTF-8"
  sed -i 's/^# *\(ja_JP.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' >>/etc/locale.gen
  locale-gen >/dev/null
fi

# The project's own Wine prefix.
"$root/scripts/wineprefix.sh"
