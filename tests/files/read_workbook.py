"""Prints what a workbook holds as one JSON object, read with openpyxl:
{"active": name, "sheets": [{"name": ..., "rows": n, "cells": {"A1": [type, value, format]}}]}
where type is "n" (number), "s" (text) or "d" (date or time, value in ISO form).
Only the cells named on the command line are listed (all when none is named).

usage: read_workbook.py FILE [REF ...]
"""
import json
import sys

import openpyxl


def main():
    path, wanted = sys.argv[1], set(sys.argv[2:])
    book = openpyxl.load_workbook(path, read_only=True)
    out = {"active": book.active.title, "sheets": []}
    for sheet in book.worksheets:
        cells, rows = {}, 0
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is None or not hasattr(cell, "coordinate"):
                    continue
                rows = max(rows, cell.row)
                if wanted and cell.coordinate not in wanted:
                    continue
                value = cell.value
                kind = "d" if cell.is_date else ("n" if isinstance(value, (int, float)) else "s")
                if kind == "d":
                    value = value.isoformat()
                cells[cell.coordinate] = [kind, value, cell.number_format]
        out["sheets"].append({"name": sheet.title, "rows": rows, "cells": cells})
    json.dump(out, sys.stdout)


main()
