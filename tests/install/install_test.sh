#!/usr/bin/env bash
# Installs the build into a scratch DESTDIR and runs the installed programs (--version, a sample
# import, the desktop program headless); then builds the Debian package and checks what it holds
# and what it depends on, and runs lintian on it when lintian is installed.
#     install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

echo "== cmake --install into a scratch DESTDIR"
DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr > /dev/null
usr="$scratch/root/usr"
for file in bin/tarvo-import bin/tarvo-import-cli share/tarvo-import/back.tvs \
            share/applications/tarvo-import.desktop share/icons/hicolor/16x16/apps/tarvo-import.png \
            share/icons/hicolor/48x48/apps/tarvo-import.png share/icons/hicolor/256x256/apps/tarvo-import.png \
            share/man/man1/tarvo-import-cli.1.gz share/man/man1/tarvo-import.1.gz \
            share/doc/tarvo-import/copyright share/doc/tarvo-import/changelog.gz \
            share/metainfo/org.tarvo.tarvoimport.metainfo.xml share/bash-completion/completions/tarvo-import-cli; do
  [ -s "$usr/$file" ] || fail "$file not installed"
done
desktop-file-validate "$usr/share/applications/tarvo-import.desktop" || fail "the desktop entry"
if command -v appstreamcli > /dev/null; then
  appstreamcli validate --no-net "$usr/share/metainfo/org.tarvo.tarvoimport.metainfo.xml" > "$scratch/appstream.log" \
    || fail "the AppStream metainfo: $(cat "$scratch/appstream.log")"
fi
bash -n "$usr/share/bash-completion/completions/tarvo-import-cli" || fail "the bash completion"
zcat "$usr/share/man/man1/tarvo-import-cli.1.gz" | grep -q '^\.SS "tarvo-import-cli import"' || fail "man page without the import command"

echo "== the installed programs"
cli="$usr/bin/tarvo-import-cli"
[ "$("$cli" --version)" = "Tarvo-Import 2024.07.08" ] || fail "tarvo-import-cli --version"
[ "$("$usr/bin/tarvo-import" --version)" = "Tarvo-Import 2024.07.08" ] || fail "tarvo-import --version"
"$usr/bin/tarvo-import" --help | grep -q -- "--version" || fail "tarvo-import --help"
# The fault hooks of the test suite stay out of the shipped programs.
for program in "$cli" "$usr/bin/tarvo-import"; do
  ! grep -q -a -e TARVO_TEST_POINT -e TARVO_TEST_WRITE_LIMIT "$program" || fail "test hooks in $program"
done
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/data" TMPDIR="$scratch"
"$cli" make-retail-db "$scratch/shop" > /dev/null
"$cli" make-templates "$scratch/templates" --items 50 --customers 5 --vendors 3 > /dev/null
"$cli" import --db "$scratch/shop" --templates "$scratch/templates" --stock-mode open --yes --quiet \
  --json "$scratch/outcome.json"
grep -q '"status": "done"' "$scratch/outcome.json" || fail "sample import: $(cat "$scratch/outcome.json")"
"$cli" dbf check "$scratch/shop/ST_DB/S_SATUAN.Q7T" > /dev/null || fail "index of the imported database"
# The desktop program starts headless and runs until it is stopped (timeout's status 124).
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$usr/bin/tarvo-import" > "$scratch/gui.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the desktop program ended with status $status: $(cat "$scratch/gui.log")"

echo "== the Debian package"
(cd "$scratch" && cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" > "$scratch/cpack.log" 2>&1) \
  || fail "cpack: $(cat "$scratch/cpack.log")"
deb="$(ls "$scratch"/package/tarvo-import_*.deb)"
dpkg --contents "$deb" > "$scratch/contents"
for file in ./usr/bin/tarvo-import ./usr/bin/tarvo-import-cli ./usr/share/tarvo-import/back.tvs \
            ./usr/share/applications/tarvo-import.desktop ./usr/share/icons/hicolor/256x256/apps/tarvo-import.png \
            ./usr/share/man/man1/tarvo-import-cli.1.gz ./usr/share/man/man1/tarvo-import.1.gz; do
  grep -q " $file\$" "$scratch/contents" || fail "$file missing from the package: $(cat "$scratch/contents")"
done
depends="$(dpkg-deb --field "$deb" Depends)"
for package in libqt6widgets6 libodbc2 odbc-mdbtools; do
  [[ "$depends" == *"$package"* ]] || fail "the package does not depend on $package: $depends"
done
duplicates="$(tr ',' '\n' <<< "$depends" | awk '{ print $1 }' | sort | uniq -d)"
[ -z "$duplicates" ] || fail "the package depends twice on: $duplicates"
maintainer="$(dpkg-deb --field "$deb" Maintainer)"
[[ "$maintainer" != *@localhost* ]] || fail "the maintainer's address: $maintainer"
# The packaged (stripped) command line runs.
dpkg-deb --extract "$deb" "$scratch/extracted"
[ "$("$scratch/extracted/usr/bin/tarvo-import-cli" --version)" = "Tarvo-Import 2024.07.08" ] || fail "packaged --version"
if command -v lintian > /dev/null; then
  echo "== lintian --pedantic"
  lintian --pedantic --fail-on error,warning "$deb" > "$scratch/lintian.log" 2>&1 \
    || fail "lintian: $(cat "$scratch/lintian.log")"
fi
echo "$(basename "$deb"): Depends: $depends"
