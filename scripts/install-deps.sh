#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing.
set -euo pipefail

# Grouped by what needs them.
packages=(
  g++ cmake ninja-build pkg-config      # the build
  libgtest-dev libgmock-dev             # tests
  libbenchmark-dev                      # bench/
  qt6-base-dev                          # the desktop program
  unixodbc unixodbc-dev odbc-mdbtools   # ODBC: the driver manager, MDB Tools' driver
  libsqliteodbc libsqlite3-dev          # ODBC tests on SQLite databases
  libcli11-dev                          # the command line's argument parser
  nlohmann-json3-dev                    # the command line's JSON outcome
  help2man dpkg-dev file                # the manual pages; the Debian package (dpkg-shlibdeps)
  desktop-file-utils                    # the installation test checks the desktop entry
  lintian appstream                     # the installation test checks the package and its metainfo
  debootstrap                           # scripts/clean-root-check.sh: a clean Debian root
  libssl-dev                            # SHA-256 of the backups (libcrypto)
  libxlsxwriter-dev libzip-dev libpugixml-dev  # spreadsheets: the workbook written, .xlsx files read
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
