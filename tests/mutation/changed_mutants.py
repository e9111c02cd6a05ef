#!/usr/bin/env python3
"""Mutants made from the program lines changed since a revision.

    changed_mutants.py REV N [PATH ...]  >  mutants.txt

Each added or changed line of the program (not of the tests, benchmarks or
fuzzers) gives the one-line bugs a competent developer makes: a relational
or equality operator swapped, && and || swapped, an integer constant off by
one, a condition negated, a statement dropped. N of them are chosen with a
fixed seed, so the same change gives the same list. The output is the
format of tests/mutation/mutants.txt (FILE, TEXT, REPLACEMENT by tabs); a
line whose text is not unique in its file is passed over.
"""
import random
import re
import subprocess
import sys

# The page's binding is tested in Chromium, which the mutation check does not run.
PROGRAM = ["base", "asm", "units", "machine", "simulator", "layout", "app", "ui"]
SWAPS = {"==": "!=", "!=": "==", "<": "<=", "<=": "<", ">": ">=", ">=": ">", "&&": "||", "||": "&&"}


def added_lines(rev, paths):
    diff = subprocess.run(["git", "diff", "-U0", rev, "--", *(paths or PROGRAM)], capture_output=True, text=True,
                          check=True).stdout
    name = None
    for line in diff.splitlines():
        if line.startswith("+++ "):
            name = line[6:] if line.startswith("+++ b/") else None
        elif line.startswith("+") and name and name.endswith((".cpp", ".h")):
            yield name, line[1:]


def masked(text):
    """The line with string and character literals and comments blanked, so
    that operators and numbers are found in code only."""
    out, i, quote = [], 0, None
    while i < len(text):
        c = text[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            out.append(" " if c != quote else c)
            if c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(c)
        elif text.startswith("//", i):
            out.append(" " * (len(text) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def mutations(text):
    code = masked(text)
    stripped = code.strip()
    if not stripped or stripped.startswith(("#", "//", "*", "/*")):
        return
    for m in re.finditer(r"&&|\|\||==|!=|<=|>=|(?<![<\-])<(?![<=])|(?<![>\-])>(?![>=])", code):
        op = m.group(0)
        # Template brackets and includes are not comparisons.
        if op in "<>" and re.search(r"[A-Za-z_:]\s*$", code[: m.start()]) and op == "<":
            continue
        if op == ">" and re.search(r"[A-Za-z_>]\s*$", code[: m.start()]) and code[m.end():m.end() + 1] in ("", " ", "&", "*", ":", ",", ")", "{", "("):
            if not re.search(r"\s$", code[: m.start()]):
                continue
        yield text[: m.start()] + SWAPS[op] + text[m.end():]
    for m in re.finditer(r"(?<![\w.\-])(\d+)(?![\w.])", code):
        # An array's size is not a value the program computes with.
        if code[m.start() - 1: m.start()] == "[" and re.match(r"\s*[\w:<>]+\s+\w+\[", code):
            continue
        value = int(m.group(1))
        for v in (value + 1, value - 1):
            if v >= 0:
                yield text[: m.start()] + str(v) + text[m.end():]
    at = code.find("if (")
    if at >= 0:
        depth, end = 0, None
        for k in range(at + 3, len(code)):
            depth += code[k] == "("
            depth -= code[k] == ")"
            if depth == 0:
                end = k
                break
        if end is not None:
            yield text[: at + 4] + "!(" + text[at + 4: end] + ")" + text[end:]
    # A statement dropped: an assignment, a call or a return; a declaration
    # dropped would not build.
    declaration = re.match(r"(const\s|static\s|auto\s|[\w:]+(<[^;=]*>)?[\s*&]+\w+\s*(=|;|\{|\())", stripped)
    if stripped.endswith(";") and (stripped.startswith("return") or not declaration) and \
            not stripped.startswith(("}", "case", "default", "using", "namespace", "struct", "class", "enum",
                                     "<<", "\"", ":", "?", "+", "-", ".", ")")):
        yield ""


def main():
    rev, count, paths = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
    contents = {}
    found = []
    for name, text in added_lines(rev, paths):
        if name not in contents:
            with open(name, encoding="utf-8") as f:
                contents[name] = f.read()
        if "\t" in text or contents[name].count(text) != 1:
            continue
        for mutant in mutations(text):
            if mutant != text:
                found.append((name, text, mutant))
    random.Random(20261210).shuffle(found)
    for name, text, mutant in found[:count]:
        print(f"{name}\t{text}\t{mutant}")
    print(f"# {min(count, len(found))} of {len(found)} mutants of the change since {rev}", file=sys.stderr)


if __name__ == "__main__":
    main()
