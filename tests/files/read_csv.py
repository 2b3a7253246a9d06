"""Prints what a CSV file holds as one JSON object, read twice:
{"csv": rows as Python's csv module reads them (header first),
 "pandas": the same as pandas reads them as texts (header first),
 "numbers": {"MainNumber": [...], "SubNumber": [...]} as pandas types them
            (null where empty)}.

usage: read_csv.py FILE
"""
import csv
import json
import math
import sys

import pandas


def main():
    path = sys.argv[1]
    with open(path, newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f, strict=True))
    texts = pandas.read_csv(path, encoding="utf-8", dtype=str, keep_default_na=False)
    typed = pandas.read_csv(path, encoding="utf-8", float_precision="round_trip")
    numbers = {
        name: [None if math.isnan(v) else v for v in typed[name].astype(float)]
        for name in ("MainNumber", "SubNumber")
    }
    json.dump({"csv": rows, "pandas": [list(texts.columns)] + texts.values.tolist(), "numbers": numbers},
              sys.stdout, ensure_ascii=False)


main()
