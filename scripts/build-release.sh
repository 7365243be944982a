#!/usr/bin/env bash
# Builds the standalone Windows program for users: dist/RZEdit.exe, an optimised
# 64-bit build linked statically, so it needs no DLL beyond Windows' own, and the
# package users download: dist/RZEdit-<version>.zip with the program, LICENSE and
# a Japanese readme.txt (Shift-JIS, CR LF).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-release"
dist="$root/dist"

"$root/scripts/setup.sh"

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DRZEDIT_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target RZEdit

mkdir -p "$dist"
x86_64-w64-mingw32-strip -o "$dist/RZEdit.exe" "$build/RZEdit.exe"

# Every imported DLL must be part of Windows itself.
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|winmm|ole32|shell32|msvcrt)\.dll$'
imports="$(x86_64-w64-mingw32-objdump -p "$dist/RZEdit.exe" | sed -n 's/^\s*DLL Name: //p')"
foreign="$(tr 'A-Z' 'a-z' <<<"$imports" | grep -Ev "$system_dlls" || true)"
if [ -n "$foreign" ]; then
  echo "build-release: RZEdit.exe needs DLLs that Windows does not have:" >&2
  echo "$foreign" >&2
  exit 1
fi
echo "build-release: $dist/RZEdit.exe ($(stat -c %s "$dist/RZEdit.exe") bytes) imports only:" \
  $(tr 'A-Z' 'a-z' <<<"$imports" | sort -u)

# The version the program carries, from the one definition its resources use too.
version="$(sed -n 's/^#define RZ_VERSION_TEXT "\(.*\)"$/\1/p' "$root/app/views/RZProgramVersion.h")"
if [ -z "$version" ]; then
  echo "build-release: no RZ_VERSION_TEXT in app/views/RZProgramVersion.h" >&2
  exit 1
fi
python3 "$root/scripts/make-package.py" "$dist/RZEdit.exe" "$root/LICENSE" \
  "$root/package/readme.txt" "$dist/RZEdit-$version.zip"
