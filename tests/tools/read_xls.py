#!/usr/bin/python3
"""Reads a workbook with xlrd, an independent reader, and prints it:
one "sheet<TAB>name<TAB>rows<TAB>cols" line a sheet, then
"cell<TAB>row<TAB>col<TAB>type<TAB>value" a cell (value with tabs and
newlines escaped). Exit 3 when xlrd refuses the file."""
import sys

import xlrd

try:
    book = xlrd.open_workbook(sys.argv[1])
except Exception as e:  # noqa: BLE001 - any refusal is the answer
    print("refused\t%s" % e)
    sys.exit(3)
out = sys.stdout.buffer
for sheet in book.sheets():
    out.write(("sheet\t%s\t%d\t%d\n" % (sheet.name, sheet.nrows, sheet.ncols)).encode())
    for r in range(sheet.nrows):
        for c in range(sheet.ncols):
            cell = sheet.cell(r, c)
            kind = {xlrd.XL_CELL_TEXT: "text", xlrd.XL_CELL_NUMBER: "number", xlrd.XL_CELL_EMPTY: "empty"}.get(
                cell.ctype, str(cell.ctype))
            value = str(cell.value).replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")
            out.write(("cell\t%d\t%d\t%s\t%s\n" % (r, c, kind, value)).encode("utf-8"))
