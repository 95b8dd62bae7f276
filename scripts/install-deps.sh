#!/usr/bin/env bash
# Installs the Debian packages the program and its tests need, skipping those already there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev libgtest-dev libgmock-dev
  fonts-dejavu-core
  xvfb openbox xdotool x11-utils x11-apps imagemagick
  python3 valgrind
  dpkg-dev file desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
