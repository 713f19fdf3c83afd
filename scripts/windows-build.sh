#!/usr/bin/env bash
# Cross-builds the program for 64-bit Windows with mingw-w64 and assembles telmo-windows-x64.zip:
# telmo.exe, telmo-cli.exe and telmo-cli-run.exe (which runs scripts for it), the Qt and PCRE2 DLLs
# they import, the qwindows platform plugin, the mingw runtime DLLs and a README in Chinese. Qt and
# PCRE2 come from scripts/windows-deps.sh.
#   scripts/windows-build.sh [NATIVE_BUILD_DIR] [WINDOWS_BUILD_DIR]
# The native build (default build/) provides the character-table tool.
set -euo pipefail
cd "$(dirname "$0")/.."
native="${1:-build}"
out="${2:-build-windows}"
started=$SECONDS

# One dependency build at a time: a second one in the same folders would spoil both.
cache_root="${TELMO_WINDOWS_CACHE:-/var/cache/telmo-windows}"
mkdir -p "$cache_root" "$out"
prefix="$(flock "$cache_root/.lock" bash scripts/windows-deps.sh | tail -n 1)"
[ -f "$prefix/.complete" ] || { echo "windows-build: Qt for Windows is not built" >&2; exit 1; }
echo "$prefix" >"$out/windows-prefix.txt" # for scripts/wine-tests.sh

# The host tool that turns the dictionaries into the character tables.
if [ ! -f "$native/build.ninja" ]; then
  cmake -S . -B "$native" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$native" --target gen-script-tables telmo-cli

export PKG_CONFIG_LIBDIR="$prefix/lib/pkgconfig"
unset PKG_CONFIG_PATH PKG_CONFIG_SYSROOT_DIR
if [ ! -f "$out/build.ninja" ]; then
  cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/mingw-x86_64.cmake" -DCMAKE_PREFIX_PATH="$prefix" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DTELMO_HOST_TOOLS_DIR="$PWD/$native" -DTELMO_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$out"

# The package: the executables and, found through their import tables, every DLL that is not
# part of Windows itself.
runtime_dirs=("$prefix/bin" /usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)
stage="$out/telmo-windows-x64"
rm -rf "$stage" "$out/telmo-windows-x64.zip"
mkdir -p "$stage/platforms" "$stage/styles"
cp "$out/telmo.exe" "$out/telmo-cli.exe" "$out/telmo-cli-run.exe" "$stage/"
cp "$prefix/plugins/platforms/qwindows.dll" "$stage/platforms/"
if [ -f "$prefix/plugins/styles/qwindowsvistastyle.dll" ]; then
  cp "$prefix/plugins/styles/qwindowsvistastyle.dll" "$stage/styles/"
fi
queue=("$stage"/*.exe "$stage"/platforms/*.dll "$stage"/styles/*.dll)
while [ ${#queue[@]} -gt 0 ]; do
  file="${queue[0]}"
  queue=("${queue[@]:1}")
  for dll in $(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p'); do
    [ -f "$stage/$dll" ] && continue
    for dir in "${runtime_dirs[@]}"; do
      if [ -f "$dir/$dll" ]; then
        cp "$dir/$dll" "$stage/"
        queue+=("$stage/$dll")
        break
      fi
    done
  done
done
# README.txt: UTF-8 with a byte-order mark and CR LF line ends, as every Notepad reads it.
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' resources/windows/README.txt; } >"$stage/README.txt"
(cd "$out" && rm -f telmo-windows-x64.zip && zip -qr -9 telmo-windows-x64.zip telmo-windows-x64)
echo "windows-build: $out/telmo-windows-x64.zip ($(du -k "$out/telmo-windows-x64.zip" | cut -f1) KB)" \
  "in $((SECONDS - started)) s"
