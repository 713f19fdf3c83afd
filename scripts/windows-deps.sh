#!/usr/bin/env bash
# Builds what the Windows cross-build needs, from Debian's own source packages:
#   - the mingw-w64 (posix threads) toolchain and wine, from Debian's binary packages;
#   - PCRE2 10.42 (16-bit, JIT, shared) and Qt 6.4.2 (Core, Gui, Widgets, Network, Test; shared)
#     for x86_64-w64-mingw32, into a cache folder outside the checkout, keyed by version and flags.
# Does nothing when the cache is complete. Prints the prefix on its last line.
#   TELMO_WINDOWS_CACHE   cache root (default /var/cache/telmo-windows)
#   TELMO_WINDOWS_JOBS    parallel compile jobs (default: number of cores)
set -euo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
cache_root="${TELMO_WINDOWS_CACHE:-/var/cache/telmo-windows}"
jobs="${TELMO_WINDOWS_JOBS:-$(nproc)}"
qt_version=6.4.2
pcre2_version=10.42
# Bump when the configure flags below change: a new key means a new prefix.
flags_rev=1
prefix="$cache_root/qt-$qt_version-pcre2-$pcre2_version-mingw-x86_64-posix-r$flags_rev"

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
apt_get() { $SUDO apt-get -o DPkg::Lock::Timeout=900 "$@"; }

# 1. Host packages: the cross toolchain, wine for the tests, dpkg-dev for `apt-get source`.
packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 dpkg-dev zip unzip xz-utils cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "windows-deps: installing ${missing[*]}"
  apt_get update -qq
  apt_get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

started=$SECONDS
$SUDO mkdir -p "$cache_root"
$SUDO chown "$(id -u):$(id -g)" "$cache_root"
src="$cache_root/src"
work="$cache_root/build-r$flags_rev"
mkdir -p "$src" "$work" "$prefix"

# 2. Debian's sources. `apt-get source` needs a deb-src entry; add one beside the binary entries.
if ! apt-get source --print-uris qt6-base >/dev/null 2>&1; then
  echo "windows-deps: adding a deb-src entry for bookworm"
  $SUDO tee /etc/apt/sources.list.d/telmo-deb-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  apt_get update -qq
fi
cd "$src"
[ -d "pcre2-$pcre2_version" ] || apt-get source -qq "pcre2=$pcre2_version-1"
if [ ! -d "qt6-base-$qt_version+dfsg" ]; then
  apt-get source -qq --download-only qt6-base
  dpkg-source -x --no-check qt6-base_"$qt_version"+dfsg-*.dsc "qt6-base-$qt_version+dfsg" >/dev/null
fi

# With OpenGL off, 6.4.2's Windows platform plugin still looks at the OpenGL context in one place
# (isSoftwareGl, under dynamicgl alone): it is told that it needs OpenGL there too.
sed -i '/^static inline bool isSoftwareGl()/,/^}/ s/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
  "$src/qt6-base-$qt_version+dfsg/src/plugins/platforms/windows/qwindowswindow.cpp"

# 3. The toolchain file both builds (and the program's cross-build) use.
toolchain="$prefix/mingw-x86_64.cmake"
# Rewritten only when it changes: a newer toolchain file makes CMake configure Qt again.
sed "s|@PREFIX@|$prefix|" "$here/mingw-x86_64.cmake.in" >"$toolchain.new"
if cmp -s "$toolchain.new" "$toolchain"; then rm "$toolchain.new"; else mv "$toolchain.new" "$toolchain"; fi

# 4. PCRE2: 16-bit code units with JIT, as the program uses it on Linux.
if [ ! -f "$prefix/.pcre2-installed" ]; then
  t=$SECONDS
  rm -rf "$work/pcre2"
  cmake -S "$src/pcre2-$pcre2_version" -B "$work/pcre2" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON \
    -DBUILD_STATIC_LIBS=OFF -DPCRE2_BUILD_PCRE2_8=OFF -DPCRE2_BUILD_PCRE2_16=ON \
    -DPCRE2_SUPPORT_JIT=ON -DPCRE2_BUILD_TESTS=OFF -DPCRE2_BUILD_PCRE2GREP=OFF >/dev/null
  cmake --build "$work/pcre2" -j "$jobs"
  cmake --install "$work/pcre2" >/dev/null
  touch "$prefix/.pcre2-installed"
  echo "windows-deps: pcre2 built in $((SECONDS - t)) s"
fi

# 5. Qt, reusing Debian's host tools (moc, rcc, uic…). Debian's source lacks src/3rdparty/wintab,
#    hence no tablet events; ICU is off, so GBK goes through the Windows code page API instead.
# An interrupted build goes on where it stopped; changed flags configure the same build again.
if [ ! -f "$prefix/.qt-installed" ]; then
  t=$SECONDS
  qt_flags=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=ON
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF
    -DFEATURE_concurrent=OFF -DFEATURE_dbus=OFF -DFEATURE_icu=OFF -DFEATURE_opengl=OFF
    -DFEATURE_openssl=OFF -DFEATURE_printsupport=OFF -DFEATURE_sql=OFF -DFEATURE_tabletevent=OFF
    -DFEATURE_vulkan=OFF -DFEATURE_xml=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_zlib=OFF
    -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF)
  if [ ! -f "$work/qt/build.ninja" ] || [ "$(cat "$work/qt-configure.args" 2>/dev/null)" != "${qt_flags[*]}" ]; then
    [ -f "$work/qt/build.ninja" ] || rm -rf "$work/qt"
    cmake -S "$src/qt6-base-$qt_version+dfsg" -B "$work/qt" "${qt_flags[@]}" >"$work/qt-configure.log"
    printf '%s' "${qt_flags[*]}" >"$work/qt-configure.args"
  fi
  cmake --build "$work/qt" -j "$jobs"
  cmake --install "$work/qt" >/dev/null
  touch "$prefix/.qt-installed"
  echo "windows-deps: qt built in $((SECONDS - t)) s"
fi

touch "$prefix/.complete"
echo "windows-deps: done in $((SECONDS - started)) s"
echo "$prefix"
