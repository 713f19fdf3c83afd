#!/usr/bin/env bash
# Installs every Debian package that building, running and testing the program needs.
# Does nothing when all of them are present; uses sudo when not run as root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools
  libpcre2-dev libopencc-dev libopencc1.1 opencc time
  libx11-dev libxtst-dev libxrandr-dev libxi-dev libxcb1-dev libxcb-damage0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth openbox x11-utils xdotool imagemagick xdg-utils
  fonts-noto-cjk fonts-wqy-microhei qt6-translations-l10n
  chromium firefox-esr libreoffice-calc mousepad dbus-daemon
  fcitx5 fcitx5-chinese-addons fcitx5-frontend-gtk3 fcitx5-frontend-qt6
  clang libclang-rt-14-dev
  dpkg-dev file groff-base
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "${missing[@]}"
