#!/usr/bin/env bash
# Installs the Debian package as a user does (apt-get install ./telmo_*.deb) and checks it: both
# installed programs work, the menu entry, metainfo and package pass their validators, and removing
# and purging the package leaves nothing behind.
# Usage: scripts/test-package.sh [BUILD_DIR]   (after make package; as root or with sudo)
# It installs and removes the package named telmo on this machine: never run it where that package
# is in real use. Runs of it on one machine take turns; a run interrupted half-way is cleaned up by
# the next one.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

shopt -s nullglob
debs=("$build"/telmo_*_*.deb)
shopt -u nullglob
if [ ${#debs[@]} -ne 1 ]; then
  echo "test-package: expected one $build/telmo_*.deb (make package), found ${#debs[@]}" >&2
  exit 1
fi
deb=$(realpath "${debs[0]}")
version=$(dpkg-deb -f "$deb" Version)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
apt_get() { $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 -y -qq "$@"; }
installed() { dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null | grep -q ' installed$'; }
known() { dpkg-query -W -f='${Status}\n' "$1" 2>/dev/null | grep -qv ' not-installed$'; }
fail() {
  echo "test-package: FAIL: $*" >&2
  exit 1
}
step() { echo "== package: $*"; }

exec 9>/tmp/telmo-package-test.lock
flock 9

tools=(lintian desktop-file-utils appstream man-db xvfb xauth openbox x11-utils xdotool)
missing=()
for p in "${tools[@]}"; do installed "$p" || missing+=("$p"); done
if [ ${#missing[@]} -gt 0 ]; then
  step "installing the test's tools: ${missing[*]}"
  apt_get update
  apt_get install --no-install-recommends "${missing[@]}"
fi

# Everything of ours on the system: what the package puts there, and what dpkg keeps about it.
traces() {
  find /usr /etc /opt /var/lib/dpkg/info -xdev \( -name '*telmo*' -o -name '*Telmo*' \) 2>/dev/null | sort
}
if known telmo; then
  step "purging telmo left from an earlier run"
  apt_get purge telmo
fi
work=$(mktemp -d)
cleanup() {
  if known telmo; then apt_get purge telmo >/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
traces >"$work/traces-before"
dpkg-query -W -f='${Package}\n' | sort >"$work/packages-before"

step "lintian $(basename "$deb")"
lintian --fail-on error --display-info --color never "$deb" | tee "$work/lintian" ||
  fail "lintian reports errors"

step "apt-get install $deb"
apt_get install --no-install-recommends "$deb"
installed telmo || fail "telmo is not installed after apt-get install"
dpkg-query -W -f='${Package}\n' | sort >"$work/packages-installed"
dpkg -L telmo >"$work/files"

step "versions"
[ "$(/usr/bin/telmo --version)" = "telmo $version" ] || fail "telmo --version: $(/usr/bin/telmo --version)"
[ "$(/usr/bin/telmo-cli --version)" = "telmo-cli $version" ] || fail "telmo-cli --version"

step "telmo-cli converts files"
printf '繁體中文，資料轉換。\r\n第二行\r\n' >"$work/traditional.txt"
printf '繁体中文，资料转换。\r\n第二行\r\n' >"$work/simplified.txt"
env -u TELMO_OPENCC_DATA_DIR /usr/bin/telmo-cli text TraditionalToSimplified "$work/traditional.txt" \
  >"$work/out.txt"
cmp "$work/out.txt" "$work/simplified.txt" || fail "traditional to simplified: $(cat "$work/out.txt")"
iconv -f UTF-8 -t GBK "$work/simplified.txt" >"$work/gbk.txt"
/usr/bin/telmo-cli read --gb2312 "$work/gbk.txt" >"$work/out.txt"
cmp "$work/out.txt" "$work/simplified.txt" || fail "reading a GBK file: $(cat "$work/out.txt")"

step "manual pages"
for page in telmo telmo-cli; do
  path=$(man -w "$page") || fail "man finds no page for $page"
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$path" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man $page: $warnings"
done
man -P cat telmo-cli 2>/dev/null | grep -q -- '--dry-run' || fail "the telmo-cli page lacks --dry-run"

step "menu entry, icons, metainfo"
desktop-file-validate /usr/share/applications/telmo.desktop || fail "desktop-file-validate"
for size in 16 22 24 32 36 48 64 72 96 128 192 256; do
  [ -f "/usr/share/icons/hicolor/${size}x${size}/apps/telmo.png" ] || fail "no ${size}x${size} icon"
done
metainfo=(/usr/share/metainfo/*.metainfo.xml)
grep -lq 'telmo.desktop' "${metainfo[@]}" || fail "no metainfo file launches telmo.desktop"
appstreamcli validate --no-net --explain "$(grep -l 'telmo.desktop' "${metainfo[@]}")" ||
  fail "appstreamcli validate"

step "telmo starts on Xvfb with its caption"
mkdir -m 700 "$work/runtime" "$work/home"
HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" scripts/with-xvfb.sh bash -c '
  /usr/bin/telmo >"$1/telmo.log" 2>&1 &
  pid=$!
  for _ in $(seq 1 600); do
    if xdotool search --onlyvisible --name "^Telmo填表助手\$" >/dev/null 2>&1; then
      kill "$pid"
      wait "$pid" 2>/dev/null
      exit 0
    fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill "$pid" 2>/dev/null
  echo "no window captioned Telmo填表助手 within 60 s; telmo said:" >&2
  cat "$1/telmo.log" >&2
  exit 1
' _ "$work" || fail "the installed telmo did not show its window"

step "apt-get remove, then purge"
apt_get remove telmo
installed telmo && fail "telmo still installed after apt-get remove"
while read -r file; do
  if [ -e "$file" ] && [ ! -d "$file" ]; then fail "left behind after remove: $file"; fi
done <"$work/files"
# A package without configuration files is gone with the remove already; purge is for the rest.
if known telmo; then apt_get purge telmo; fi
known telmo && fail "dpkg still knows telmo after purge"
traces >"$work/traces-after"
diff "$work/traces-before" "$work/traces-after" || fail "left behind after purge (above)"

# Packages the install brought in only for telmo go too; apt lists them as no longer needed.
comm -13 "$work/packages-before" "$work/packages-installed" | grep -vx telmo >"$work/pulled-in" || true
if [ -s "$work/pulled-in" ]; then
  apt-get -s autoremove | awk '/^Remv /{print $2}' | sort >"$work/unneeded"
  mapfile -t extra < <(comm -12 "$work/pulled-in" "$work/unneeded")
  if [ ${#extra[@]} -gt 0 ]; then
    step "purging what the install pulled in: ${extra[*]}"
    apt_get purge "${extra[@]}"
  fi
fi
step "passed: $(basename "$deb"), $(stat -c %s "$deb") bytes"
