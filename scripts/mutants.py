#!/usr/bin/env python3
"""Mutation check: puts one plausible fault at a time into the game's sources,
rebuilds, and runs the fast tests. A fault the tests do not notice is a gap in
the tests. Every file is restored whatever happens, and the clean tree is
rebuilt at the end.

Usage: mutants.py [--build DIR] [--list FILE] [--only WORD] [--every] [--random N [--seed S]]
--random draws N one-token faults from the game's sources instead of the list:
a sample of what the hand-written list may have missed.
Run it under an X server (make mutants does), since many tests draw.
"""
import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CODE_DIRS = ("src", "tools")
TEST_EXTS = (".cpp", ".cc", ".h", ".hpp", ".sh", ".py", ".cmake")
# The mutation check itself, counted beside the tests.
TEST_FILES_ELSEWHERE = ("scripts/mutants.py",)


def read_list(path):
    faults = []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 4:
                sys.exit(f"{path}:{number}: want 4 tab-separated fields, found {len(fields)}")
            faults.append((number, *fields))
    return faults


# One-token faults for --random: an operator swapped, or a number changed.
OPERATORS = [(" <= ", " < "), (" < ", " <= "), (" >= ", " > "), (" > ", " >= "), (" == ", " != "), (" != ", " == "),
             (" && ", " || "), (" || ", " && "), (" + ", " - "), (" - ", " + "), (" * ", " / "), ("true", "false"),
             ("false", "true")]
NUMBER = re.compile(r"(?<![\w.])(\d+)(\.\d+)?(f?)(?![\w.])")


def random_faults(count, seed):
    """count faults drawn evenly from every place one could go in src/ (the
    Windows backend is not built here). A line that occurs twice in its file is skipped."""
    sites = []
    for path in tracked("src"):
        if not path.endswith(".cpp") or path.startswith("src/platform/win32/"):
            continue
        text = open(os.path.join(ROOT, path), encoding="utf-8").read()
        for line in text.splitlines():
            s = line.strip()
            if len(s) < 12 or s.startswith(("//", "#", "*", "/*")) or '"' in s or text.count(s) != 1:
                continue
            for old, new in OPERATORS:
                if old in s and not (old == " < " and "<<" in s) and not (old == " > " and ">>" in s):
                    sites.append((path, s, s.replace(old, new, 1), f"random: {old.strip()} for {new.strip()}"))
            if (m := NUMBER.search(s)) and m.group(1) != "0":
                whole, fraction, suffix = m.groups()
                changed = f"{whole}{fraction}5{suffix}" if fraction else f"{int(whole) + 1}{suffix}"
                sites.append((path, s, s[:m.start()] + changed + s[m.end():], f"random: {m.group(0)} changed"))
    picked = random.Random(seed).sample(sites, min(count, len(sites)))
    return [(number, *fault) for number, fault in enumerate(picked, 1)]


def counted_lines(paths):
    """Non-blank lines that are not comments, counted as the before-stop reminder does."""
    total = 0
    for p in paths:
        with open(os.path.join(ROOT, p), encoding="utf-8", errors="replace") as f:
            for line in f:
                s = line.strip()
                if s and not s.startswith(("//", "#")):
                    total += 1
    return total


def tracked(*dirs):
    out = subprocess.run(["git", "ls-files", *dirs], cwd=ROOT, capture_output=True, text=True, check=True)
    return out.stdout.split()


def count_report():
    tests = counted_lines(p for p in tracked("tests") if p.endswith(TEST_EXTS) or p.endswith("CMakeLists.txt"))
    script = counted_lines(p for p in TEST_FILES_ELSEWHERE if os.path.exists(os.path.join(ROOT, p)))
    code = max(counted_lines(p for p in tracked(*CODE_DIRS) if p.endswith((".cpp", ".cc", ".h", ".hpp"))), 1)
    return (f"test code: {tests} lines under tests/ against {code} in src/ and tools/: {100 * tests / code:.1f}%; "
            f"with this script's {script}: {100 * (tests + script) / code:.1f}%")


def run(cmd, cwd, timeout):
    """Exit status (None on a time-out) and output of a command."""
    env = dict(os.environ, GLUMBO_MSGBOX="log", SDL_AUDIODRIVER="dummy", LIBGL_ALWAYS_SOFTWARE="1")
    try:
        done = subprocess.run(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                              timeout=timeout, text=True, errors="replace")
        return done.returncode, done.stdout
    except subprocess.TimeoutExpired:
        return None, ""


def build(build_dir, jobs):
    """None when the build passes, else its first error line."""
    code, out = run(["cmake", "--build", build_dir, f"-j{jobs}"], ROOT, 1800)
    if code == 0:
        return None
    errors = [line for line in out.splitlines() if "error" in line.lower()]
    return (errors or ["the build failed"])[0][:200]


def test_costs(build_dir):
    """Seconds each test took in its last run, as ctest keeps them."""
    costs = {}
    try:
        with open(os.path.join(ROOT, build_dir, "Testing", "Temporary", "CTestCostData.txt")) as f:
            for line in f:
                if line.startswith("---"):
                    break
                parts = line.split()
                if len(parts) == 3:
                    costs[parts[0]] = float(parts[2])
    except OSError:
        pass
    return costs


def exactly(names):
    return "^(" + "|".join(n.replace(".", "\\.") for n in names) + ")$"


def failing_tests(build_dir, jobs, every=False, first=()):
    """The fast tests that fail. Unless every one is wanted, the first failure is enough: the tests
    that caught this fault last time run first, then the quick ones, then the rest. The damaged-data
    run looks for crashes and hangs, not wrong results, and would double the time."""
    if every:
        selections = [["-E", "^DamagedData"]]
    else:
        quick = sorted(n for n, c in test_costs(build_dir).items() if c < 2.0 and n not in first)
        tried = list(first) + quick
        selections = [["-R", exactly(names)] for names in (list(first), quick) if names]
        selections.append(["-E", "^DamagedData" + (f"|{exactly(tried)}" if tried else "")])
    for select in selections:
        stop = [] if every else ["--stop-on-failure"]
        code, out = run(["ctest", "-j", jobs, "-LE", "long", *select, *stop, "--timeout", "300"],
                        os.path.join(ROOT, build_dir), 3600)
        if code != 0:
            failed = re.findall(r"^\s*\d+ - (\S+) \(", out.split("The following tests FAILED:")[-1], re.M)
            return failed or ["(ctest failed)"]
    return []


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default="build")
    ap.add_argument("--list", default="tests/mutants.tsv")
    ap.add_argument("--only", action="append", default=[], help="only faults whose line contains this text (repeatable)")
    ap.add_argument("--jobs", default=str(os.cpu_count() or 2))
    ap.add_argument("--random", type=int, default=0, help="draw this many faults instead of the list")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--every", action="store_true",
                    help="run every fast test on each fault and list the tests that caught none (slow)")
    args = ap.parse_args()

    listed = random_faults(args.random, args.seed) if args.random else read_list(os.path.join(ROOT, args.list))
    faults = [f for f in listed if not args.only or any(word in "\t".join(f[1:]) for word in args.only)]
    # Check the whole list before touching anything.
    for number, path, old, new, why in faults:
        found = open(os.path.join(ROOT, path), encoding="utf-8").read().count(old)
        if found != 1:
            sys.exit(f"{args.list}:{number}: the text is in {path} {found} times, not once: {old}")

    # Restore on Ctrl+C or a kill as well as on any error.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
    if build_error := build(args.build, args.jobs):
        sys.exit(f"mutants: the clean tree does not build ({build_error}); nothing to measure")
    if failed := failing_tests(args.build, args.jobs):
        sys.exit(f"mutants: the clean tree fails {', '.join(failed)}; nothing to measure")

    # The tests that caught each fault last time, tried first next time.
    cache_path = os.path.join(ROOT, args.build, "mutants-catchers.json")
    try:
        with open(cache_path) as f:
            cache = json.load(f)
    except (OSError, ValueError):
        cache = {}
    killed, broken, catchers = 0, 0, set()
    every_catchers = {}  # with --every: each fault's whole list of catchers
    try:
        for number, path, old, new, why in faults:
            full = os.path.join(ROOT, path)
            original = open(full, encoding="utf-8").read()
            started = time.monotonic()
            try:
                with open(full, "w", encoding="utf-8") as f:
                    f.write(original.replace(old, new, 1))
                failed = []
                if build_error := build(args.build, args.jobs):
                    verdict = "DOES NOT BUILD"
                    broken += 1
                else:
                    key = f"{path}\t{old}"
                    failed = failing_tests(args.build, args.jobs, args.every, cache.get(key, []))
                    catchers.update(failed)
                    every_catchers[f"{path}:{number}: {why}"] = failed
                    if failed:
                        cache[key] = failed[:3]
                    verdict = "killed" if failed else "SURVIVED"
                    killed += bool(failed)
            finally:
                with open(full, "w", encoding="utf-8") as f:
                    f.write(original)
            by = f" by {', '.join(failed[:3])}{' ...' if len(failed) > 3 else ''}" if failed else ""
            if verdict == "DOES NOT BUILD":
                by = f": {build_error}"
            print(f"{verdict:>14}  {path}: {why} ({'draw' if args.random else 'list line'} {number}, {time.monotonic() - started:.0f} s){by}",
                  flush=True)
    finally:
        build(args.build, args.jobs)
        with open(cache_path, "w") as f:
            json.dump(cache, f, indent=0)

    if args.every:
        _, out = run(["ctest", "-N", "-LE", "long", "-E", "^DamagedData"], os.path.join(ROOT, args.build), 600)
        idle = sorted(set(re.findall(r"Test +#\d+: (\S+)", out)) - catchers)
        print(f"tests that caught none of these faults ({len(idle)}): " + " ".join(idle))
        # A test that is the only one to catch some fault cannot go without losing it.
        alone = sorted({tests[0] for tests in every_catchers.values() if len(tests) == 1})
        print(f"tests that alone caught a fault ({len(alone)}): " + " ".join(alone))
        with open(os.path.join(ROOT, args.build, "mutants-every.json"), "w") as f:
            json.dump(every_catchers, f, indent=0)
    print(count_report())
    print(f"mutants: {killed} killed of {len(faults)}")
    return 0 if killed == len(faults) else 2 if broken else 1


if __name__ == "__main__":
    sys.exit(main())
