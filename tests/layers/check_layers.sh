#!/usr/bin/env bash
# Every include of the project's own headers points down the layer list: a folder includes
# only itself and the folders it is allowed to use, and only the table layer's top headers. Run from anywhere; exits 1 naming each
# include that points elsewhere.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"

engine="xbase ui odbc sheets retaildb safety importing templates importers templatetools converters"
declare -A allowed=(
  [xbase]=""
  [ui]=""
  [odbc]="xbase"
  [sheets]="xbase"
  [retaildb]="xbase ui"
  [safety]="retaildb ui xbase"
  [importing]="safety retaildb ui xbase"
  [templates]="importing safety retaildb ui xbase"
  [importers]="importing odbc safety retaildb ui xbase"
  [templatetools]="templates sheets importing safety retaildb ui xbase"
  [converters]="safety retaildb ui xbase"
  [sampledata]="$engine"
  [app/core]="xbase"
  [app/cli]="app/core sampledata $engine"
  [app/gui]="app/core $engine"
)

status=0
for layer in "${!allowed[@]}"; do
  while IFS=: read -r file target; do
    used="${target%/*}"
    case "$used" in app/*) ;; *) used="${used%%/*}" ;; esac
    [ "$used" = "$layer" ] && continue
    case " ${allowed[$layer]} " in *" $used "*) continue ;; esac
    echo "${file#"$root"/}: includes $target, but $layer may use only: ${allowed[$layer]:-nothing of ours}"
    status=1
  done < <(grep -rHoE '^#include "[a-z_/]+\.h"' "$root/$layer" --include='*.h' --include='*.cpp' \
             | sed -E 's/#include "([^"]+)"/\1/')
done
# The table layer's inner parts (cdx/, expression/) are its own: other layers use its top headers.
while IFS= read -r line; do
  echo "${line#"$root"/}: an inner header of the table layer"
  status=1
done < <(grep -rHnE '^#include "xbase/(cdx|expression)/' "$root" --include='*.h' --include='*.cpp' \
           --exclude-dir=xbase --exclude-dir=tests --exclude-dir=fuzz --exclude-dir=bench --exclude-dir='build*' || true)
exit $status
