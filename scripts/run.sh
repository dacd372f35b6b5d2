#!/usr/bin/env bash
# Sets up the machine, builds, and starts the program.
# The program's home folder is build/home unless --home DIR or KORVANA_HOME says otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
for arg in "$@"; do
  case "$arg" in --home|--home=*) exec build/src/korvana "$@" ;; esac
done
HOME_DIR="${KORVANA_HOME:-$PWD/build/home}"
mkdir -p "$HOME_DIR"
exec build/src/korvana --home "$HOME_DIR" "$@"
