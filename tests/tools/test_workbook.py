#!/usr/bin/env python3
"""tamrik-calc's class workbook read back with openpyxl: a class with wishes
(one code that lost its zeros, one unknown) written as CSV and as a workbook;
every workbook row holds the CSV row's values with codes as text and figures
as numbers shown with two decimals, the headings are frozen and filtered, and
the summary's counts are those of the rows."""
import csv
import io
import subprocess
import sys
import tempfile
from collections import Counter, defaultdict
from pathlib import Path

import openpyxl

CALC, DB = sys.argv[1], sys.argv[2]
CLASS = ("id,gpa,pr,01,02,03,04,41,wish1,wish2,wish3\n"
         "0101,3.25,85.5,75,68.5,80,55,62,0001,13,0999\n"
         "0102,2.50,40,40,30,35,20,25,,0002,\n"
         "0103,3.90,99,95,90,92,88,90,,,\n")
KIND = {"wish": "ที่เลือกไว้", "suggestion": "แนะนำเพิ่ม"}
HEADINGS = ["เลขประจำตัว", "ประเภท", "อันดับที่เลือก", "อันดับ", "รหัส", "มหาวิทยาลัย", "คณะ", "คะแนนรวม",
            "สูงสุดที่เป็นไปได้", "ต่ำสุดปีล่าสุด", "สูงสุดปีล่าสุด", "ห่างจากต่ำสุด %", "เทียบกับช่วงปีก่อน",
            "ขาดอีก (คะแนน)", "ทางที่จะถึงต่ำสุดปีก่อน"]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def calc(*args):
    run = subprocess.run([CALC, "--db", DB, *args], capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"tamrik-calc {' '.join(args)} failed with {run.returncode}:\n{run.stderr}")
    return run


with tempfile.TemporaryDirectory() as folder:
    folder = Path(folder)
    (folder / "class.csv").write_text(CLASS, encoding="utf-8")
    as_csv = calc("--batch", str(folder / "class.csv"), "--top", "2")
    calc("--batch", str(folder / "class.csv"), "--top", "2", "-o", str(folder / "class.xlsx"))
    rows = list(csv.DictReader(io.StringIO(as_csv.stdout)))
    book = openpyxl.load_workbook(folder / "class.xlsx")

check(book.sheetnames == ["ผลรายคน", "สรุปทั้งห้อง"], f"sheets {book.sheetnames}")
students, summary = book["ผลรายคน"], book["สรุปทั้งห้อง"]
for sheet in (students, summary):
    check("ข้อมูลตัวอย่าง" in str(sheet["A1"].value), f"{sheet.title}: no sample notice in A1")
    check(sheet.freeze_panes == "A3", f"{sheet.title}: frozen at {sheet.freeze_panes}")
    check(sheet.auto_filter.ref and sheet.auto_filter.ref.startswith("A2:"), f"{sheet.title}: filter {sheet.auto_filter.ref}")
check([c.value for c in students[2]] == HEADINGS, f"headings {[c.value for c in students[2]]}")

check(len(rows) == 3 + 1 + 2 * 3, f"{len(rows)} CSV rows")
check([r["kind"] for r in rows[:5]] == ["wish", "wish", "wish", "suggestion", "suggestion"], "first student's kinds")
check([r["code"] for r in rows[:3]] == ["0001", "0013", "0999"], "wishes in the student's order, zeros put back")
check(rows[2]["university"] == "" and rows[2]["composite"] == "" and rows[2]["chance"] != "", "unknown code noted")
check(rows[5]["wish"] == "2" and rows[5]["code"] == "0002", "a wish keeps its number when an earlier one is empty")
for i, row in enumerate(rows):
    cells = [c for c in students[3 + i]]
    value = [c.value for c in cells]
    where = f"row {3 + i}"
    check(value[0] == row["id"] and isinstance(value[0], str), f"{where}: id {value[0]!r}")
    check(value[1] == KIND[row["kind"]], f"{where}: kind {value[1]!r}")
    check(value[2] == (int(row["wish"]) if row["wish"] else None), f"{where}: wish {value[2]!r}")
    check(value[3] == (int(row["rank"]) if row["rank"] else None), f"{where}: rank {value[3]!r}")
    check(value[4] == row["code"] and isinstance(value[4], str), f"{where}: code {value[4]!r}")
    for column, key in ((7, "composite"), (8, "highest_possible"), (9, "last_min"), (10, "last_max"),
                        (11, "margin_percent"), (13, "needed")):
        if row[key]:
            check(isinstance(value[column], (int, float)) and value[column] == float(row[key]),
                  f"{where}: {key} {value[column]!r} for {row[key]}")
            check(cells[column].number_format == "0.00", f"{where}: {key} shown as {cells[column].number_format}")
        else:
            check(value[column] is None, f"{where}: {key} {value[column]!r} where the CSV has none")
    check(value[12] == row["chance"], f"{where}: label {value[12]!r}")
check(students.cell(3 + len(rows), 1).value is None, "rows beyond the CSV's")

# The summary counts what the rows say, for every faculty with figures.
heads = [c.value for c in summary[2]]
wished, suggested, labels = Counter(), Counter(), defaultdict(Counter)
for row in rows:
    if row["composite"]:
        (wished if row["kind"] == "wish" else suggested)[row["code"]] += 1
        labels[row["code"]][row["chance"]] += 1
codes = sorted(labels)
got = [[c.value for c in r] for r in summary.iter_rows(min_row=3) if r[0].value is not None]
check([r[0] for r in got] == codes, f"summary codes {[r[0] for r in got]} for {codes}")
for r in got:
    code = r[0]
    check(r[3] == wished[code] and r[4] == suggested[code], f"{code}: wished {r[3]}, suggested {r[4]}")
    check(all(r[i] == labels[code][heads[i]] for i in range(5, len(heads))), f"{code}: counts {r[5:]}")
    check(sum(r[5:]) == wished[code] + suggested[code], f"{code}: counts add up to {sum(r[5:])}")
check(len(heads) == 12 and "ไม่ผ่านเกณฑ์ขั้นต่ำ" in heads, f"summary headings {heads}")

if failures:
    sys.exit("\n".join(failures))
print(f"{len(rows)} rows and {len(got)} faculties read back")
