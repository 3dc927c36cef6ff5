#!/usr/bin/env bash
# Fresh machine: installs what is missing, builds, and runs the main job on the sample data.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cli=build/app/tarvo-import-cli
"$cli" --version
"$cli" dbf info samples/ITEM.DBF
"$cli" dbf dump samples/ITEM.DBF
