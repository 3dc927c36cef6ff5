#!/usr/bin/env bash
# Fresh machine: installs what is missing, builds, and runs the main job on sample data:
# a sample retail database and sample templates, then the command-line import with its summary.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
cli=build/app/tarvo-import-cli
demo=build/demo
rm -rf "$demo"
"$cli" --version
"$cli" make-retail-db "$demo/shop"
"$cli" make-templates "$demo/templates" --items 2000 --customers 200 --vendors 50
"$cli" import --db "$demo/shop" --templates "$demo/templates" --stock-mode open --yes
"$cli" dbf check "$demo/shop/ST_DB/S_SATUAN.Q7T"
