#!/usr/bin/env bash
# Checks the Debian package on a clean Debian 12 machine: a root made with debootstrap from the
# configured Debian mirror, into which only the package is installed with apt-get (its
# dependencies from the mirror). Then, as a normal user in that root: a whole sample import, an
# import from nwind.mdb refused with its clear message (MDB Tools' driver found as Debian
# registers it), and the desktop program started headless. Too slow for CI (it downloads a few
# hundred MB); run it as root before a release and record the result in docs/install.md.
#     sudo scripts/clean-root-check.sh build-deb/tarvo-import_*.deb
set -euo pipefail
deb="$(realpath "$1")"
here="$(cd "$(dirname "$0")/.." && pwd)"
mdb="$here/../shared/fixtures/mdb/nwind.mdb"   # the Access fixture beside the project
[ "$(id -u)" -eq 0 ] || { echo "run as root (debootstrap, chroot)" >&2; exit 2; }

# The configured Debian mirror (deb822 sources or sources.list).
mirror="$(grep -hoE 'https?://[^ ]+/debian/?( |$)' /etc/apt/sources.list.d/*.sources /etc/apt/sources.list 2>/dev/null \
          | head -n 1 | tr -d ' ' || true)"
mirror="${mirror:-http://deb.debian.org/debian}"

root="$(mktemp -d /var/tmp/tarvo-clean-root.XXXXXX)"
chmod 0755 "$root"   # it becomes "/": users of the root must be able to enter it
cleanup() {
  umount "$root/proc" 2>/dev/null || true
  rm -rf "$root"
}
trap cleanup EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

echo "== debootstrap bookworm from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" > "$root.debootstrap.log" 2>&1 \
  || fail "debootstrap: $(tail -n 20 "$root.debootstrap.log")"
rm -f "$root.debootstrap.log"
mount -t proc proc "$root/proc" 2>/dev/null || echo "(no /proc in the root: mount not permitted here)"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root "$@"; }

echo "== apt-get install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "/tmp/$(basename "$deb")" \
  > "$root/tmp/apt.log" 2>&1 || fail "apt-get install: $(tail -n 20 "$root/tmp/apt.log")"
in_root odbcinst -q -d 2>/dev/null | grep -qx '\[MDBTools\]' || echo "(MDB Tools' driver is not registered as MDBTools)"

echo "== as a normal user"
in_root useradd --create-home shop
cp "$mdb" "$root/home/shop/nwind.mdb"
cat > "$root/home/shop/check.sh" <<'CHECK'
set -euo pipefail
cd ~
fail() { echo "FAILED: $*" >&2; exit 1; }
[ "$(tarvo-import-cli --version)" = "Tarvo-Import 2024.07.08" ] || fail "--version"
tarvo-import-cli make-retail-db shop > /dev/null
tarvo-import-cli make-templates templates --items 200 --customers 20 --vendors 5 > /dev/null
tarvo-import-cli import --db shop --templates templates --stock-mode close --yes --quiet --json outcome.json \
  || fail "sample import: $(cat outcome.json)"
grep -q '"status": "done"' outcome.json || fail "sample import: $(cat outcome.json)"
tarvo-import-cli dbf check shop/ST_DB/S_STOCK.Q7T > /dev/null || fail "the imported stock table's index"
status=0
tarvo-import-cli import --from ipos --mdb nwind.mdb --db shop --yes > nwind.log 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "the import from nwind.mdb ended with $status: $(cat nwind.log)"
grep -q "Tabel TBLItemJenis tidak ditemukan di database!" nwind.log || fail "nwind.mdb: $(cat nwind.log)"
status=0
QT_QPA_PLATFORM=offscreen timeout 5 tarvo-import > gui.log 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the desktop program ended with $status: $(cat gui.log)"
echo "sample import done; nwind.mdb refused: $(grep -o 'Tabel TBLItemJenis[^!]*!' nwind.log); desktop program ran headless"
CHECK
in_root chown -R shop:shop /home/shop
in_root su shop -c "bash ~/check.sh" || fail "the checks as a normal user"
echo "PASSED: $(basename "$deb") on a clean Debian 12 root"
