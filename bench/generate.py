#!/usr/bin/env python3
"""Generated inputs for the tamrik-calc benchmarks.

  generate.py ruledb DATA_DIR OUT_DIR N   N faculties (the bundled ones over and over,
                                          codes 0001..N, ranges shifted a little) as CSV
                                          files that `tamrik-ruledb build` turns into a rule database
  generate.py applicants FILE N           N applicants with scores in every subject an
                                          applicant may take, some left empty
"""
import csv
import random
import sys
from pathlib import Path

RULE_TABLES = ["SUName", "Table12", "Facsubj", "tableCRT", "tableSUM", "tb6174", "maxminScQor43"]


def read(path):
    with open(path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f))
    return rows[0], rows[1:]


def ruledb(data_dir, out_dir, n):
    data_dir, out_dir = Path(data_dir), Path(out_dir)
    out_dir.mkdir(parents=True, exist_ok=True)
    (out_dir / "SubjectTable.csv").write_bytes((data_dir / "SubjectTable.csv").read_bytes())
    tables = {t: read(data_dir / f"{t}.csv") for t in RULE_TABLES}
    # The bundled faculties, each university's together, every one copied
    # into a run of its own: page 1 lists a university once per run of rows.
    suname = tables["SUName"][1]
    first = {}
    for row in suname:
        first.setdefault(row[0], len(first))
    faculties = [row[2] for row in sorted(suname, key=lambda row: first[row[0]])]
    sources = [faculties[(i * len(faculties)) // n] for i in range(n)] if n >= len(faculties) \
        else faculties[:n]
    copies = {}
    by_code = {t: {} for t in RULE_TABLES}
    for t, (header, rows) in tables.items():
        key = header.index("FacCode")
        for row in rows:
            by_code[t].setdefault(row[key], []).append(row)
    rng = random.Random(2543)
    for t, (header, _) in tables.items():
        key = header.index("FacCode")
        with open(out_dir / f"{t}.csv", "w", encoding="utf-8", newline="") as f:
            w = csv.writer(f, lineterminator="\n")
            w.writerow(header)
            copies.clear()
            for i, source in enumerate(sources, start=1):
                copies[source] = copies.get(source, 0) + 1
                for row in by_code[t].get(source, []):
                    row = list(row)
                    row[key] = f"{i:04d}"
                    if t == "SUName":
                        row[1] = f"{row[1]} ({copies[source]})"
                    if t == "maxminScQor43":
                        shift = rng.uniform(-15, 15)
                        row[1] = f"{float(row[1]) + shift:.2f}"
                        row[2] = f"{float(row[2]) + shift:.2f}"
                    w.writerow(row)


def applicants(path, n):
    rng = random.Random(43)
    codes = [f"{c:02d}" for c in range(1, 52)]
    with open(path, "w", encoding="utf-8", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(["id", "gpa", "pr"] + codes)
        for i in range(n):
            row = [f"A{i:06d}", f"{rng.uniform(1.8, 4.0):.2f}", f"{rng.uniform(1, 99.99):.2f}"]
            row += [f"{rng.uniform(15, 100):.2f}" if rng.random() < 0.6 else "" for _ in codes]
            w.writerow(row)


if __name__ == "__main__":
    if len(sys.argv) == 5 and sys.argv[1] == "ruledb":
        ruledb(sys.argv[2], sys.argv[3], int(sys.argv[4]))
    elif len(sys.argv) == 4 and sys.argv[1] == "applicants":
        applicants(sys.argv[2], int(sys.argv[3]))
    else:
        sys.exit(__doc__)
