#!/usr/bin/env python3
"""Runs every script of a folder through two orrin-run programs and compares
what each printed, its exit status and every file it wrote.

usage: compare.py OLD_ORRIN_RUN NEW_ORRIN_RUN SCRIPTS_DIR EXAMPLES_DIR [JOBS]

Each script runs in a scratch folder of its own holding a copy of the
examples (as ex/) and an empty out/ for what it saves; "#lab NAME" on its
first lines follows ex/labs/NAME.lab, "#lang en" prints in English. Prints
each difference and a count; exits 1 when there was any.
"""
import concurrent.futures
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile

EXAMPLE_FOLDERS = ["asm", "memory", "microprogram", "wiring", "labs"]


def run(program, script_path, examples):
    with tempfile.TemporaryDirectory(prefix="orrin-diff-") as work:
        for folder in EXAMPLE_FOLDERS:
            shutil.copytree(os.path.join(examples, folder), os.path.join(work, "ex", folder))
        os.mkdir(os.path.join(work, "out"))
        shutil.copy(script_path, os.path.join(work, "s.orrin"))
        with open(script_path, "rb") as f:
            head = f.read(200).replace(b"\r", b"\n").split(b"\n")[:2]
        args = [program]
        for h in head:
            if h.startswith(b"#lang en"):
                args += ["--lang", "en"]
            if h.startswith(b"#lab "):
                args += ["--lab", "ex/labs/%s.lab" % h[5:].decode()]
        args.append("s.orrin")
        try:
            p = subprocess.run(args, cwd=work, capture_output=True, timeout=120)
            result = [("status", str(p.returncode).encode()), ("stdout", p.stdout), ("stderr", p.stderr)]
        except subprocess.TimeoutExpired:
            result = [("status", b"timeout")]
        for root, _, names in os.walk(os.path.join(work, "out")):
            for n in sorted(names):
                path = os.path.join(root, n)
                with open(path, "rb") as f:
                    result.append((os.path.relpath(path, work), hashlib.sha256(f.read()).hexdigest().encode()))
        return result


def compare(job):
    old, new, script, examples = job
    a, b = run(old, script, examples), run(new, script, examples)
    if a == b:
        return None
    da, db = dict(a), dict(b)
    for key in sorted(set(da) | set(db)):
        if da.get(key) != db.get(key):
            return "%s: %s differs:\n  old: %r\n  new: %r" % (
                os.path.basename(script), key, (da.get(key) or b"")[-400:], (db.get(key) or b"")[-400:])
    return "%s: differs" % script


def main():
    old, new, scripts, examples = sys.argv[1:5]
    jobs = int(sys.argv[5]) if len(sys.argv) > 5 else os.cpu_count()
    names = sorted(n for n in os.listdir(scripts) if n.endswith(".orrin"))
    work = [(old, new, os.path.join(scripts, n), examples) for n in names]
    differences = 0
    with concurrent.futures.ThreadPoolExecutor(jobs) as pool:
        for message in pool.map(compare, work):
            if message:
                differences += 1
                print(message)
    print("differential: %d scripts, %d differences" % (len(names), differences))
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
