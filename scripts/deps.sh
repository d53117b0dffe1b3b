#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need. Idempotent: apt-get runs only when a
# package is missing, so a second run on a complete machine returns at once.
# Usage: scripts/deps.sh [group ...]   the groups add what only some scripts need:
#   bench   Google Benchmark (scripts/bench.sh)
#   fuzz    clang and libFuzzer (the sanitized build: scripts/test.sh --sanitize, scripts/fuzz.sh)
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev libxcb1-dev
  libpugixml-dev libcurl4-openssl-dev libjpeg62-turbo-dev
  libgtest-dev libgmock-dev
  fonts-dejavu-core libxml2-utils
  libzip-dev libfreexl-dev mdbtools-dev
  python3-openpyxl python3-docx
  poppler-utils cups-daemon
)

for group in "$@"; do
  case "$group" in
    bench) PACKAGES+=(libbenchmark-dev) ;;
    fuzz) PACKAGES+=(clang-14 libclang-rt-14-dev) ;;
    *) echo "deps: unknown group $group" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
