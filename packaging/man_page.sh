#!/usr/bin/env bash
# Writes the manual page of tarvo-import-cli (gzipped) from its help texts: help2man for the
# program's own help, then a COMMANDS section with the help of every command and subcommand.
#     man_page.sh CLI OUTPUT.1.gz
set -euo pipefail
cli="$1"
out="$2"
include="$(mktemp)"
page="$(mktemp)"
trap 'rm -f "$include" "$page"' EXIT

# The names listed under "Subcommands:" in a command's help.
subcommands() {
  # shellcheck disable=SC2086  # the command path splits into its words on purpose
  "$cli" $1 --help | awk '/^Subcommands:/ { on = 1; next } on && /^  [^ ]/ { print $1; next } on && !/^ / { on = 0 }'
}

# The help of every command below a path, as roff without filling.
commands() {
  local name path
  for name in $(subcommands "$1"); do
    path="${1:+$1 }$name"
    echo ".SS \"tarvo-import-cli $path\""
    echo ".nf"
    # shellcheck disable=SC2086
    "$cli" $path --help | sed -e 's/\\/\\e/g' -e 's/^[.'\'']/\\\&&/'
    echo ".fi"
    commands "$path"
  done
}

{
  echo "[COMMANDS]"
  commands ""
  cat <<'SECTIONS'
[EXIT STATUS]
.TP
0
the command did its work (help and version included)
.TP
1
the command was refused, declined or failed; its messages say why
.TP
2
a usage error: an unknown command or option, a missing or malformed value
[FILES]
.TP
REJECT.TXT
the items an import refused as duplicates: beside the program when its folder is writable,
otherwise in $XDG_DATA_HOME/tarvo-import/ (~/.local/share/tarvo-import/ by default)
[SEE ALSO]
.BR tarvo-import (1)
is the desktop program.
SECTIONS
} > "$include"

version="$("$cli" --version | awk '{ print $NF }')"
help2man --no-info --section 1 --version-string "tarvo-import-cli $version" --name "fills a shop's retail database from templates (command line)" \
  --include "$include" --output "$page" "$cli"
gzip -9 -n -c "$page" > "$out"
