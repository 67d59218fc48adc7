#!/usr/bin/env python3
"""Generated inputs for the tamrik-calc benchmarks.

  generate.py ruledb DATA_DIR OUT_DIR N   N faculties (codes 0001..N) as CSV files that
                                          `tamrik-ruledb build` turns into a rule database
  generate.py applicants FILE N           N applicants with scores in every subject an
                                          applicant may take, some left empty

The faculties are made up, not copied: each has 1 to 7 main and 0 to 3 special
subjects (2 to 8 together), up to three minimums, now and then the 01 + 02 rule
or an either-of pair, and a range in each of three years near what its own rule
makes possible; a few have no range last year. The names and subjects come from
DATA_DIR.
"""
import csv
import random
import sys
from pathlib import Path

YEARS = ["maxminScQor41", "maxminScQor42", "maxminScQor43"]
LIST_COLUMNS = [f"SubCod{k:02d}" for k in range(1, 10)] + [f"Sco{k:02d}" for k in range(1, 10)]


def read(path):
    with open(path, encoding="utf-8-sig", newline="") as f:
        rows = list(csv.reader(f))
    return rows[0], rows[1:]


def entry_list(entries):
    """(code, score) pairs as the nine code columns and the nine score columns."""
    codes = [code for code, _ in entries] + [""] * (9 - len(entries))
    scores = [str(score) for _, score in entries] + [""] * (9 - len(entries))
    return codes + scores


def faculty_rule(rng, mains_pool, specials_pool):
    """One faculty's rows: Table12, Facsubj, tableCRT, tableSUM, tb6174 (or None) and its highest possible."""
    mains = rng.randint(1, 7)
    specials = rng.choice([0, 0, 1, 1, 2, 3]) if mains < 7 else rng.choice([0, 1])
    specials = min(specials, 8 - mains)
    if mains + specials < 2:
        specials = 1
    main_codes = sorted(rng.sample(mains_pool, mains))
    if rng.random() < 0.35 and mains >= 2:
        main_codes = ["01", "02"] + sorted(rng.sample([c for c in mains_pool if c not in ("01", "02")], mains - 2))
    special_codes = sorted(rng.sample(specials_pool, specials))
    subjects = main_codes + special_codes

    rule0102 = 2 if main_codes[:2] == ["01", "02"] and rng.random() < 0.3 else 0

    minimums = []
    for code in rng.sample(subjects, min(len(subjects), rng.choice([0, 0, 1, 1, 2, 3]))):
        minimums.append((code, rng.choice([2000, 2500, 2550, 3000, 3500, 4000])))

    # The calculation: main entries first, then the specials, an either-of
    # pair (two specials scored as one) last.
    entries = [(code, 10000) for code in main_codes]
    pair = None
    if specials >= 2 and rng.random() < 0.25:
        pair = special_codes[-2:]
        singles = special_codes[:-2]
    else:
        singles = special_codes
    special_points = 0
    for code in singles:
        score = rng.choice([5000, 10000, 10000, 15000, 20000])
        entries.append((code, score))
        special_points += score // 100
    if pair:
        score = rng.choice([10000, 20000])
        entries.append((str(rng.choice([61, 71])), score))
        special_points += score // 100
    total = 10 * (100 * mains + special_points)

    main_weight = round(90 / (total / 10) * 100 * mains)
    max_special = (90 - main_weight) / main_weight * 100 * mains
    share = 100 * mains / main_weight * 100 / 3
    highest = 100 * mains + max_special + 2 * share
    return {
        "Table12": [rule0102],
        "Facsubj": [len(subjects)] + subjects + [""] * (8 - len(subjects)),
        "tableCRT": [len(minimums)] + entry_list(minimums),
        "tableSUM": [len(entries)] + entry_list(entries) + [total],
        "tb6174": ["".join(pair)] if pair else None,
    }, highest


def ruledb(data_dir, out_dir, n):
    data_dir, out_dir = Path(data_dir), Path(out_dir)
    out_dir.mkdir(parents=True, exist_ok=True)
    (out_dir / "SubjectTable.csv").write_bytes((data_dir / "SubjectTable.csv").read_bytes())
    _, subjects = read(data_dir / "SubjectTable.csv")
    mains_pool = [code for code, _, kind in subjects if kind == "0"]
    specials_pool = [code for code, _, kind in subjects if kind == "1"]
    _, names = read(data_dir / "SUName.csv")
    universities = list(dict.fromkeys(row[0] for row in names))
    faculty_names = sorted({row[1] for row in names})

    rng = random.Random(2543)
    tables = {t: [] for t in ["SUName", "Table12", "Facsubj", "tableCRT", "tableSUM", "tb6174"] + YEARS}
    code = 0
    campus = 0
    while code < n:
        # A university's faculties in one run, as page 1 lists them.
        campus += 1
        university = f"{universities[campus % len(universities)]} วิทยาเขต {campus}"
        used = set()
        for _ in range(min(rng.randint(20, 160), n - code)):
            code += 1
            fac = f"{code:04d}"
            name = rng.choice(faculty_names)
            while name in used:
                name = f"{rng.choice(faculty_names)} สาขา {rng.randint(1, 60)}"
            used.add(name)
            tables["SUName"].append([university, name, fac])
            rule, highest = faculty_rule(rng, mains_pool, specials_pool)
            for table, row in rule.items():
                if row is not None:
                    tables[table].append([fac] + row)
            low = highest * rng.uniform(0.4, 0.75)
            span = highest * rng.uniform(0.05, 0.2)
            for age, year in enumerate(reversed(YEARS)):
                # A few faculties are new: no range in the earlier years, or none at all.
                if rng.random() < 0.04 * (age + 1):
                    break
                drift = rng.uniform(-0.04, 0.04) * highest
                ymin = max(0.0, low - drift - 8 * age)
                ymax = min(highest, ymin + span)
                tables[year].append([fac, f"{ymax:.2f}", f"{ymin:.2f}"])

    headers = {
        "SUName": ["UName", "FacName", "FacCode"],
        "Table12": ["FacCode", "NumSub"],
        "Facsubj": ["FacCode", "NumSubj"] + [f"Sub{k}" for k in range(1, 9)],
        "tableCRT": ["FacCode", "NumSub"] + LIST_COLUMNS,
        "tableSUM": ["FacCode", "NumSub"] + LIST_COLUMNS + ["TotSco"],
        "tb6174": ["FacCode", "SubCod"],
    }
    for year in YEARS:
        headers[year] = ["FacCode", "ScMax", "ScMin"]
    for table, rows in tables.items():
        with open(out_dir / f"{table}.csv", "w", encoding="utf-8", newline="") as f:
            w = csv.writer(f, lineterminator="\n")
            w.writerow(headers[table])
            w.writerows(rows)


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
