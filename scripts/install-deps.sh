#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing.
set -euo pipefail

# Grouped by what needs them.
packages=(
  g++ cmake ninja-build pkg-config  # the build
  libgtest-dev libgmock-dev         # tests
  libbenchmark-dev                  # bench/
  qt6-base-dev                      # the desktop program
  libcli11-dev                      # the command line's argument parser
  nlohmann-json3-dev                # the command line's JSON outcome
  help2man dpkg-dev file            # the manual page; the Debian package (dpkg-shlibdeps)
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
