#!/usr/bin/env bash
# Writes the manual page of one of the programs (gzipped) from its help texts: help2man for the
# program's own help, a COMMANDS section with the help of every command and subcommand (when it
# has any), and the fixed sections of INCLUDE.
#     man_page.sh PROGRAM "SHORT DESCRIPTION" INCLUDE.h2m OUTPUT.1.gz
set -euo pipefail
program="$1"
description="$2"
sections="$3"
out="$4"
name="$(basename "$program")"
include="$(mktemp)"
page="$(mktemp)"
trap 'rm -f "$include" "$page"' EXIT

# The names listed under "Subcommands:" in a command's help.
subcommands() {
  # shellcheck disable=SC2086  # the command path splits into its words on purpose
  "$program" $1 --help | awk '/^Subcommands:/ { on = 1; next } on && /^  [^ ]/ { print $1; next } on && !/^ / { on = 0 }'
}

# The help of every command below a path, as roff without filling.
commands() {
  local sub path
  for sub in $(subcommands "$1"); do
    path="${1:+$1 }$sub"
    echo ".SS \"$name $path\""
    echo ".nf"
    # shellcheck disable=SC2086
    "$program" $path --help | sed -e 's/\\/\\e/g' -e 's/^[.'\'']/\\\&&/'
    echo ".fi"
    commands "$path"
  done
}

{
  listing="$(commands "")"
  if [ -n "$listing" ]; then
    echo "[COMMANDS]"
    echo "$listing"
  fi
  cat "$sections"
} > "$include"

version="$("$program" --version | awk '{ print $NF }')"
help2man --no-info --section 1 --version-string "$name $version" --name "$description" \
  --include "$include" --output "$page" "$program"
gzip -9 -n -c "$page" > "$out"
