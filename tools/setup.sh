#!/usr/bin/env bash
# Installs the Debian packages the build needs, only those that are missing,
# then configures the build folder. Safe to run again: a second run does
# nothing but check.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build ccache pkg-config
  qt6-base-dev libqt6printsupport6 libgl-dev qt6-translations-l10n
  libfreeimage-dev libnova-dev
  libgtest-dev libgmock-dev libbenchmark-dev liberfa-dev
  clang libclang-rt-14-dev xvfb xauth
  fonts-nanum fonts-dejavu-core poppler-utils python3
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  if ! $SUDO apt-get install -y --no-install-recommends "${missing[@]}"; then
    $SUDO apt-get update
    $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
  fi
fi
