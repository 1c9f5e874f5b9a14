#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need,
# only those that are missing. Uses sudo when not run as root.
set -euo pipefail
packages=(g++ cmake make qt6-base-dev qt6-serialport-dev qt6-charts-dev libqt6opengl6-dev qt6-qpa-plugins
          qt6-translations-l10n qt6-l10n-tools qt6-tools-dev dpkg-dev file help2man lintian desktop-file-utils appstream poppler-utils
          libgtest-dev libgmock-dev libbenchmark-dev fonts-dejavu-core clang libclang-rt-14-dev "$@")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root=()
  [ "$(id -u)" -eq 0 ] || as_root=(sudo)
  "${as_root[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
