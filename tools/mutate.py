#!/usr/bin/env python3
"""Mutation score of the test suite: how many small planted faults the tests catch.

Usage (from the project root):  tools/mutate.py [--max N] [--seed S ...] [--ops basic|extended|new]
                                      [--jobs N] [--files GLOB ...] [--targets T ...] [--out DIR]

Tests what is committed: clones HEAD into ${TMPDIR:-/tmp}/kalvo-mutate/<sha>/job-<i> once for
each of the N jobs, builds the test executables there, then each job takes its share of the
sampled mutants: edits one source line, rebuilds the targets, runs every test executable
(offscreen), restores the line. A mutant is 'killed' when a test fails, 'survived' when all
pass, 'invalid' when it does not compile. Prints one line per surviving mutant and, last,
"mutation score: K/(K+S) = P% (...)" for each seed; several seeds share the mutants they
draw in common, which are judged once.
Mutants: arithmetic + - * /, relational < <= > >= == !=, logical && ||, boolean
literals, small integer literals +1 (not template arguments such as array sizes), a float
literal's last digit, and unary '!' removed; unless --ops basic, also: * -> +, / -> -, + -> *,
- -> /, a unary minus dropped, std::min <-> std::max, += <-> -=, *= <-> /=. --ops new plants only
those (no literals): with --max 1000, every one of them, a full census rather than a sample.
String literals and comments are left alone (texts are data, checked elsewhere).
"""
import argparse
import glob
import os
import random
import re
import subprocess
import sys
import time
from concurrent.futures import ThreadPoolExecutor

OPS = [
    (r"(?<=\s)\+(?=\s)", "-"), (r"(?<=\s)-(?=\s)", "+"),
    (r"(?<=\s)\*(?=\s)", "/"), (r"(?<=\s)/(?=\s)", "*"),
    (r"(?<=\s)<(?=\s)", "<="), (r"(?<=\s)<=(?=\s)", "<"),
    (r"(?<=\s)>(?=\s)", ">="), (r"(?<=\s)>=(?=\s)", ">"),
    (r"(?<=\s)==(?=\s)", "!="), (r"(?<=\s)!=(?=\s)", "=="),
    (r"&&", "||"), (r"\|\|", "&&"),
    (r"\btrue\b", "false"), (r"\bfalse\b", "true"),
    (r"(?<![\w.])!(?=[\w(*])", ""),
]
# --ops extended adds: every arithmetic operator to every other one it could be mistyped as, a unary
# minus dropped, std::min and std::max swapped, compound assignments turned round.
EXTENDED = [
    (r"(?<=\s)\*(?=\s)", "+"), (r"(?<=\s)/(?=\s)", "-"),
    (r"(?<=\s)\+(?=\s)", "*"), (r"(?<=\s)-(?=\s)", "/"),
    (r"(?<=[(\s,=])-(?=[\w(])", ""),
    (r"\bstd::min\b", "std::max"), (r"\bstd::max\b", "std::min"),
    (r"(?<=\s)\+=(?=\s)", "-="), (r"(?<=\s)-=(?=\s)", "+="),
    (r"(?<=\s)\*=(?=\s)", "/="), (r"(?<=\s)/=(?=\s)", "*="),
]
INT = re.compile(r"(?<![\w.'])([0-9])(?![\w.'])")          # a lone small integer 0-9
FLOAT = re.compile(r"(?<![\w.])([0-9]+\.[0-9]*[1-9])(?=[^\w.]|$)")


def strip_strings(line):
    """Blank out string/char literals and // comments so that no mutant lands inside them."""
    out, i, n = [], 0, len(line)
    while i < n:
        c = line[i]
        if line.startswith("//", i):
            out.append(" " * (n - i))
            break
        if c == "'" and i > 0 and line[i - 1].isdigit():   # a digit separator: 1'000'000
            out.append(c)
            i += 1
            continue
        if c in "\"'":
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            out.append(" " * (min(j, n - 1) - i + 1))
            i = j + 1
            continue
        out.append(c)
        i += 1
    return "".join(out)


def inside_template_arguments(code, pos):
    """True where pos stands between an opening '<' that follows a name and its closing '>'."""
    depth = 0
    for m in re.finditer(r"(?<=[\w:])<(?![<=])|(?<![-<>=])>(?![>=])", code[:pos]):
        depth += 1 if m.group(0) == "<" else -1
        depth = max(depth, 0)
    return depth > 0


def candidates(path, ops=OPS, literals=True):
    muts = []
    with open(path, encoding="utf-8") as f:
        lines = f.readlines()
    in_block = False
    for no, line in enumerate(lines):
        s = line.strip()
        if in_block:
            if "*/" in s:
                in_block = False
            continue
        if s.startswith("/*"):
            in_block = "*/" not in s
            continue
        if not s or s.startswith(("#", "//", "*")) or "static_assert" in s:
            continue
        code = strip_strings(line)
        for pat, rep in ops:
            for m in re.finditer(pat, code):
                muts.append((path, no, m.start(), m.end(), rep, f"'{m.group(0)}' -> '{rep}'"))
        if not literals:
            continue
        for m in INT.finditer(code):
            if inside_template_arguments(code, m.start()):   # std::array<T, 3>: a size, not a value
                continue
            v = int(m.group(1))
            muts.append((path, no, m.start(), m.end(), str(v + 1), f"{v} -> {v + 1}"))
        for m in FLOAT.finditer(code):
            t = m.group(1)
            d = int(t[-1])
            r = t[:-1] + str((d + 1) % 10 if d != 9 else 8)
            muts.append((path, no, m.start(), m.end(), r, f"{t} -> {r}"))
    return muts


def run(args, cwd, timeout=None, env=None):
    """A command as a list of arguments: paths with blanks stay whole."""
    return subprocess.run(args, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                          timeout=timeout, env=env)


class Clone:
    """One job's own clone of HEAD and build folder. A clone kept from an
    earlier run is reset to HEAD and checked clean first: a run that was
    killed may have left a planted fault in it."""

    def __init__(self, root, targets):
        self.src, self.build = os.path.join(root, "src"), os.path.join(root, "build")
        self.root, self.targets = root, targets
        head = run(["git", "rev-parse", "HEAD"], os.getcwd()).stdout.strip()
        if os.path.isdir(self.src):
            run(["git", "fetch", "-q", os.getcwd(), head], self.src)
            run(["git", "reset", "-q", "--hard", head], self.src)
            run(["git", "clean", "-q", "-fdx"], self.src)
        else:
            os.makedirs(root, exist_ok=True)
            run(["git", "clone", "-q", os.getcwd(), self.src], root)
        if (run(["git", "rev-parse", "HEAD"], self.src).stdout.strip() != head or
                run(["git", "status", "--porcelain"], self.src).stdout.strip()):
            sys.exit(f"{self.src} is not a clean clone of HEAD {head}; remove it and run again")
        if run(["cmake", "-S", self.src, "-B", self.build, "-DCMAKE_BUILD_TYPE=Release", "-DCMAKE_CXX_FLAGS=-O1",
                "--log-level=WARNING"], root).returncode:
            sys.exit("configure failed")
        r = self.rebuild()
        if r.returncode:
            sys.exit("build failed:\n" + r.stdout[-2000:])
        self.exes = []
        for t in targets:
            hits = [p for p in glob.glob(os.path.join(glob.escape(self.build), "**", t), recursive=True)
                    if os.access(p, os.X_OK) and os.path.isfile(p)]
            if hits:
                self.exes.append(hits[0])

    def rebuild(self):
        return run(["cmake", "--build", self.build, "-j1", "--target", *self.targets], self.root)

    def tests_pass(self):
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
        for exe in self.exes:
            try:
                r = run([exe], self.root, timeout=300, env=env)
            except subprocess.TimeoutExpired:
                return False
            if r.returncode:
                return False
        return True

    def judge(self, mutant):
        rel, no, s, e, rep, what = mutant
        path = os.path.join(self.src, rel)
        with open(path, encoding="utf-8") as f:
            lines = f.readlines()
        orig = lines[no]
        lines[no] = orig[:s] + rep + orig[e:]
        with open(path, "w", encoding="utf-8") as f:
            f.writelines(lines)
        try:
            if self.rebuild().returncode:
                verdict = "invalid"
            elif self.tests_pass():
                verdict = "SURVIVED"
            else:
                verdict = "killed"
        finally:
            lines[no] = orig
            with open(path, "w", encoding="utf-8") as f:
                f.writelines(lines)
        return f"{verdict}\t{rel}:{no + 1}\t{what}\t{orig.strip()[:100]}"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--max", type=int, default=150)
    ap.add_argument("--seed", type=int, nargs="+", default=[1])
    ap.add_argument("--jobs", type=int, default=1, help="clones working through the mutants side by side")
    ap.add_argument("--files", nargs="+", default=["core/*.cpp", "core/*.h", "catalogue/catalogue.cpp",
                                                   "catalogue/catalogue_table.cpp"])
    ap.add_argument("--targets", nargs="+", default=["core_tests", "catalogue_tests", "ui_tests",
                                                     "random_session_test"])
    ap.add_argument("--out", default=None)
    ap.add_argument("--ops", choices=("basic", "extended", "new"), default="extended",
                    help="basic: the operators above; extended: also the EXTENDED list; "
                         "new: the EXTENDED list alone, without literals")
    a = ap.parse_args()
    ops = {"basic": OPS, "extended": OPS + EXTENDED, "new": EXTENDED}[a.ops]

    sha = run(["git", "rev-parse", "HEAD"], os.getcwd()).stdout.strip()
    base = os.path.join(os.environ.get("TMPDIR", "/tmp"), "kalvo-mutate", sha)
    with ThreadPoolExecutor(a.jobs) as pool:
        clones = list(pool.map(lambda i: Clone(os.path.join(base, f"job-{i}"), a.targets), range(a.jobs)))
    if not all(clone.tests_pass() for clone in clones[:1]):
        sys.exit("the unmutated suite fails; nothing to measure")

    everything = []
    for g in a.files:
        for p in sorted(glob.glob(os.path.join(clones[0].src, g))):
            everything += [(os.path.relpath(m[0], clones[0].src),) + m[1:] for m in candidates(p, ops, a.ops != "new")]
    draws = {}
    for seed in a.seed:
        muts = list(everything)
        random.Random(seed).shuffle(muts)
        draws[seed] = muts[: a.max]
    todo = sorted({m for drawn in draws.values() for m in drawn})

    t0 = time.time()
    verdicts = {}

    def work(i):
        for mutant in todo[i:: a.jobs]:
            entry = clones[i].judge(mutant)
            verdicts[mutant] = entry
            if entry.startswith("SURVIVED"):
                print(entry, flush=True)
        clones[i].rebuild()

    with ThreadPoolExecutor(a.jobs) as pool:
        list(pool.map(work, range(a.jobs)))
    if a.out:
        os.makedirs(a.out, exist_ok=True)
        with open(os.path.join(a.out, "mutants.tsv"), "w") as f:
            f.write("\n".join(verdicts[m] for m in todo) + "\n")
    for seed, drawn in draws.items():
        counts = {v: 0 for v in ("killed", "SURVIVED", "invalid")}
        for m in drawn:
            counts[verdicts[m].split("\t", 1)[0]] += 1
        valid = counts["killed"] + counts["SURVIVED"]
        pct = 100.0 * counts["killed"] / valid if valid else 0.0
        print(f"seed {seed}: mutation score: {counts['killed']}/{valid} = {pct:.1f}% "
              f"({counts['invalid']} did not compile; {len(drawn)} sampled; {time.time() - t0:.0f} s)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
