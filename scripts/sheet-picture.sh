#!/usr/bin/env bash
# The README's picture of the workbook's ITEM sheet (docs/item-sheet.png): the workbook written by
# tarvo-import-cli, three sample items filled in, printed by LibreOffice (the first columns,
# landscape, fitted to the page) and rendered by pdftoppm. Needs a build (scripts/build.sh),
# python3, libreoffice-calc-nogui and poppler-utils; none of them is a build dependency.
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build/app/tarvo-import-cli templates workbook "$work/TEMPLATE.xlsx" --templates ITEM
python3 - "$work/TEMPLATE.xlsx" "$work/ITEM.xlsx" <<'PY'
import sys, zipfile
source, target = sys.argv[1], sys.argv[2]
# Sample items, by column position on the ITEM page.
columns = {'JENIS': 0, 'KODE': 1, 'KODE_2': 2, 'NAMA': 7}
items = [
    {'JENIS': 0, 'KODE': 'BRG-0001', 'NAMA': 'Kopi Bubuk 165 g'},
    {'JENIS': 0, 'KODE': 'BRG-0002', 'KODE_2': '8991002101234', 'NAMA': 'Teh Celup isi 25'},
    {'JENIS': 1, 'KODE': 'JASA-01', 'NAMA': 'Ongkos kirim dalam kota'},
]
def letters(n):
    text = ''
    n += 1
    while n:
        n, r = divmod(n - 1, 26)
        text = chr(65 + r) + text
    return text
rows = ''
for i, item in enumerate(items, start=2):
    rows += '<row r="%d">' % i
    for name in sorted(item, key=columns.get):
        ref, value = letters(columns[name]) + str(i), item[name]
        if isinstance(value, str):
            rows += '<c r="%s" t="inlineStr"><is><t>%s</t></is></c>' % (ref, value)
        else:
            rows += '<c r="%s"><v>%s</v></c>' % (ref, value)
    rows += '</row>'
with zipfile.ZipFile(source) as zin, zipfile.ZipFile(target, 'w', zipfile.ZIP_DEFLATED) as zout:
    for entry in zin.infolist():
        data = zin.read(entry.filename).decode()
        if entry.filename == 'xl/worksheets/sheet1.xml':
            data = data.replace('<dimension', '<sheetPr><pageSetUpPr fitToPage="1"/></sheetPr><dimension', 1)
            data = data.replace('</sheetData>', rows + '</sheetData>', 1)
            data = data.replace('/><legacyDrawing', '/><pageSetup orientation="landscape" fitToWidth="1" fitToHeight="1"/><legacyDrawing', 1)
        if entry.filename == 'xl/workbook.xml':
            data = data.replace('</sheets>', '</sheets><definedNames><definedName name="_xlnm.Print_Area" '
                                'localSheetId="0">ITEM!$A$1:$H$4</definedName></definedNames>', 1)
        zout.writestr(entry, data)
PY
(cd "$work" && soffice --headless --convert-to pdf ITEM.xlsx >/dev/null)
pdftoppm -r 120 -f 1 -l 1 -x 40 -y 60 -W 1230 -H 95 -png -singlefile "$work/ITEM.pdf" "$work/item-sheet"
cp "$work/item-sheet.png" docs/item-sheet.png
echo "docs/item-sheet.png"
