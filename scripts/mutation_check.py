#!/usr/bin/env python3
"""Runner of scripts/mutation-check.sh: parses mutations.txt and tries each fault."""
import argparse
import os
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

KEYS = ("file", "find", "put", "build", "test", "why")


@dataclass
class Fault:
    id: str
    file: str
    find: str
    put: str
    build: str
    test: str
    why: str

    @property
    def folder(self):
        return "/".join(self.file.split("/")[:2])


def die(message):
    """Stops on a fault of the set-up rather than of the code (exit status 2)."""
    print(message, file=sys.stderr)
    sys.exit(2)


def parse(path):
    blocks, key = [], None
    for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
        where = f"{path.name}:{number}"
        if line.startswith("#") or not line.strip():
            continue
        if line.startswith("["):
            blocks.append({"id": line.strip()[1:-1]})
            key = None
        elif line.startswith("|") and key:
            blocks[-1][key] += "\n" + line[1:]
        elif ":" in line and blocks:
            key, value = line.split(":", 1)
            if key not in KEYS or key in blocks[-1]:
                die(f"{where}: unknown or repeated key '{key}'")
            blocks[-1][key] = value.strip()
        else:
            die(f"{where}: cannot read '{line}'")
    faults = []
    for block in blocks:
        missing = [k for k in KEYS if k not in block]
        if missing or not block["find"]:
            die(f"fault {block['id']}: missing {', '.join(missing) or 'find text'}")
        faults.append(Fault(**block))
    ids = [f.id for f in faults]
    if len(set(ids)) != len(ids):
        die("fault ids are not unique")
    return faults


def run(command, log, timeout=None):
    """Runs a command with its output appended to the log; True when it succeeds."""
    with open(log, "a", encoding="utf-8") as out:
        out.write("$ " + " ".join(command) + "\n")
        out.flush()
        try:
            return subprocess.run(command, stdout=out, stderr=subprocess.STDOUT,
                                  timeout=timeout).returncode == 0
        except subprocess.TimeoutExpired:
            out.write("timed out\n")
            return False


class Copy:
    """The persistent copy of the tree and its build folder."""

    def __init__(self, source, root, jobs, timeout):
        self.source, self.root = source, root
        self.build_dir = root / "build"
        self.logs = self.build_dir / "mutation-logs"
        self.jobs, self.timeout = str(jobs), timeout

    def sync(self):
        self.root.mkdir(parents=True, exist_ok=True)
        changed = subprocess.run(
            ["rsync", "-a", "--delete", "--exclude=/build*/", "--exclude=/.git",
             "--out-format=%n", f"{self.source}/", f"{self.root}/"],
            check=True, capture_output=True, text=True).stdout.splitlines()
        # rsync gives a file its source time, which can be older than objects built from a
        # fault left behind by an interrupted run: make every brought file newer than those.
        for name in changed:
            if (self.root / name).is_file():
                os.utime(self.root / name)
        self.logs.mkdir(parents=True, exist_ok=True)
        if not (self.build_dir / "build.ninja").exists():
            configure = ["cmake", "-S", str(self.root), "-B", str(self.build_dir), "-G", "Ninja",
                         "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DFOLIVO_BENCH=OFF"]
            if not run(configure, self.logs / "configure.log"):
                die(f"configure failed, see {self.logs / 'configure.log'}")

    def build(self, targets, log):
        return run(["cmake", "--build", str(self.build_dir), "-j", self.jobs, "--target",
                    *targets.split()], log)

    def test(self, regex, log):
        return run(["ctest", "--test-dir", str(self.build_dir), "-R", regex, "-j", self.jobs,
                    "--timeout", str(self.timeout), "--no-tests=error", "--output-on-failure"],
                   log, timeout=self.timeout * 4)

    def baseline(self, faults):
        """The unchanged tree must build and pass every test the faults name."""
        log = self.logs / "baseline.log"
        log.unlink(missing_ok=True)
        targets = " ".join(sorted({t for f in faults for t in f.build.split()}))
        if not self.build(targets, log):
            die(f"the unchanged tree does not build, see {log}")
        for regex in sorted({f.test for f in faults}):
            if not self.test(regex, log):
                die(f"tests '{regex}' fail on the unchanged tree, see {log}")

    def attempt(self, fault):
        path = self.root / fault.file
        original = path.read_bytes()
        text = original.decode("utf-8")
        if text.count(fault.find) != 1:
            return "stale"
        log = self.logs / f"{fault.id}.log"
        log.unlink(missing_ok=True)
        path.write_bytes(text.replace(fault.find, fault.put).encode("utf-8"))
        try:
            if not self.build(fault.build, log):
                return "invalid"
            return "NOT CAUGHT" if self.test(fault.test, log) else "caught"
        finally:
            path.write_bytes(original)
            os.utime(path)  # newer than the faulty objects, so the next build redoes them


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--source", type=Path, required=True)
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--only", default="")
    parser.add_argument("--faults", type=Path)
    parser.add_argument("--copy", type=Path, default=Path(
        os.environ.get("FOLIVO_MUTATION_DIR", "/var/tmp/folivo-mutation")))
    parser.add_argument("--timeout", type=int, default=300)
    args = parser.parse_args()

    faults_file = args.faults or args.source / "scripts" / "mutations.txt"
    faults = [f for f in parse(faults_file) if re.search(args.only, f.id)]
    row = "{:<28} {:<18} {}"
    if args.list:
        for f in faults:
            print(row.format(f.id, f.folder, f.why))
        return 0
    if not faults:
        die("no fault matches")

    # A stop from outside still puts the file of the current fault back.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    os.environ["CCACHE_BASEDIR"] = str(args.copy.resolve())  # objects shared with other trees
    copy = Copy(args.source.resolve(), args.copy.resolve(), len(os.sched_getaffinity(0)), args.timeout)
    start = time.monotonic()
    copy.sync()
    copy.baseline(faults)
    print(row.format("fault", "folder", "result"), flush=True)
    results = []
    for f in faults:
        results.append(copy.attempt(f))
        print(row.format(f.id, f.folder, results[-1]), flush=True)
    counts = {r: results.count(r) for r in ("caught", "NOT CAUGHT", "stale", "invalid")}
    minutes = (time.monotonic() - start) / 60
    print(f"{len(faults)} faults: " + ", ".join(f"{n} {r}" for r, n in counts.items()) +
          f"; {minutes:.0f} min; logs in {copy.logs}")
    return 0 if counts["caught"] == len(faults) else 1


if __name__ == "__main__":
    sys.exit(main())
