#!/usr/bin/env bash
# Installs what the build, the program and the tests need on Debian 12.
# Idempotent and quick when everything is already there.
set -euo pipefail

PACKAGES=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libsqlcipher-dev libfreexl-dev
  googletest libgtest-dev
  fonts-wqy-microhei fonts-arphic-gbsn00lp
  xvfb xauth poppler-utils sqlcipher
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
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
