#!/usr/bin/env python3
"""Turns one benchmark run into the figures of bench.json.

Reads the medians tavr-bench wrote, times whole tavr-inchi and inchi_main
processes on the same SD file in alternation, compares tavr-inchi's --jobs N
with --jobs 1 (when the tool has --jobs), counts instructions of the write and
read passes under callgrind, and writes everything as one JSON object. Called
by scripts/bench.sh; see there for the meaning of the figures.
"""

import argparse
import json
import os
import re
import shutil
import statistics
import subprocess
import tempfile
import time

CORPORA = ("plain2d", "stereo2d")
SHAPES = ("chain", "ring", "grid")
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def corpus_path(name):
    full = os.path.join(os.path.dirname(ROOT), "shared", "data", name + ".sdf")
    if os.path.exists(full):
        return full
    return os.path.join(ROOT, "samples", name + "-sample.sdf")


def load_medians(path):
    """run name -> the median aggregate of that benchmark."""
    with open(path) as f:
        report = json.load(f)
    medians = {}
    for entry in report["benchmarks"]:
        if entry.get("run_type") == "aggregate" and entry.get("aggregate_name") == "median":
            if "error_occurred" in entry:
                continue
            medians[entry["run_name"]] = entry
    return report.get("context", {}), medians


def ratio(a, b):
    return a / b if b else None


def worst(values):
    present = [v for v in values if v is not None]
    return max(present) if present else None


def write_figures(medians):
    by_corpus = {}
    for corpus in CORPORA:
        driver = medians.get("writeDriver/" + corpus)
        library = medians.get("writeLibrary/" + corpus)
        own = medians.get("writeOwn/" + corpus)
        if not (driver and library and own):
            continue
        by_corpus[corpus] = {
            "molecules": int(driver["molecules"]),
            "tavr_write_ms_per_pass": driver["cpu_time"],
            "get_inchi_ms_per_pass": library["cpu_time"],
            "own_steps_ms_per_pass": own["cpu_time"],
            "own_share": ratio(own["cpu_time"], library["cpu_time"]),
            "difference_share": ratio(driver["cpu_time"] - library["cpu_time"], library["cpu_time"]),
        }
    return by_corpus


def read_figures(medians):
    by_corpus = {}
    for corpus in CORPORA:
        driver = medians.get("readDriver/" + corpus)
        parse = medians.get("readParse/" + corpus)
        if not (driver and parse):
            continue
        by_corpus[corpus] = {
            "molecules": int(driver["molecules"]),
            "tavr_read_ms_per_pass": driver["cpu_time"],
            "parse_ms_per_pass": parse["cpu_time"],
            "ratio": ratio(driver["cpu_time"], parse["cpu_time"]),
        }
    return by_corpus


def scaling_figures(medians):
    """Per shape: nanoseconds per atom of the atom table and the builder by size,
    and the write steps against GetINCHI where the library takes the molecule."""
    shapes = {}
    for shape in SHAPES:
        rows = {}
        for name, entry in medians.items():
            parts = [p for p in name.split("/") if not p.startswith("min_time:")]
            if len(parts) != 3 or parts[1] != shape:
                continue
            kind, atoms = parts[0], int(parts[2])
            row = rows.setdefault(atoms, {"atoms": atoms})
            row[kind + "_ns_per_atom"] = entry["per_atom"] * 1e9
            row[kind + "_us"] = entry["cpu_time"]
        for row in rows.values():
            if "scaleOwn_us" in row and "scaleLibrary_us" in row:
                row["write_share"] = ratio(row["scaleOwn_us"], row["scaleLibrary_us"])
        shapes[shape] = [rows[n] for n in sorted(rows)]
    return shapes


def flat_until(rows, key, tolerance=1.5):
    """The largest size whose cost per atom stays within tolerance times the
    cost per atom of the smallest molecule, and the growth to the largest."""
    costs = [(row["atoms"], row[key]) for row in rows if key in row]
    if not costs:
        return None
    base = costs[0][1]
    flat = costs[0][0]
    for atoms, cost in costs:
        if cost > tolerance * base:
            break
        flat = atoms
    return {"flat_until_atoms": flat, "growth_smallest_to_largest": costs[-1][1] / base}


def scaling_summary(scaling):
    return {shape: {"atom_table": flat_until(rows, "scaleTable_ns_per_atom"),
                    "structure_builder": flat_until(rows, "scaleBuilder_ns_per_atom")}
            for shape, rows in scaling.items()}


def timed_run(command, stdout_path, cwd):
    """Wall and CPU seconds of one whole process, and its exit status."""
    with open(stdout_path, "wb") as out:
        start = time.perf_counter()
        process = subprocess.Popen(command, stdout=out, stderr=subprocess.DEVNULL, cwd=cwd)
        _, status, usage = os.wait4(process.pid, 0)
        wall = time.perf_counter() - start
    return wall, usage.ru_utime + usage.ru_stime, os.waitstatus_to_exitcode(status)


def alternate(commands, rounds, workdir):
    """Runs the named commands in turn, round after round, swapping the order
    every round; returns name -> (median wall, median CPU, last exit status)."""
    walls = {name: [] for name in commands}
    cpus = {name: [] for name in commands}
    status = {}
    names = list(commands)
    for r in range(rounds):
        for name in (names if r % 2 == 0 else list(reversed(names))):
            wall, cpu, code = timed_run(commands[name], os.path.join(workdir, name + ".out"), workdir)
            walls[name].append(wall)
            cpus[name].append(cpu)
            status[name] = code
    return {name: (statistics.median(walls[name]), statistics.median(cpus[name]), status[name]) for name in names}


def has_jobs(tool):
    usage = subprocess.run([tool, "--help"], capture_output=True, text=True)
    return "--jobs" in usage.stdout


def whole_processes(build, sdf, rounds, workdir):
    """tavr-inchi write with one worker, with one per processor, and inchi_main
    on the same SD file, in alternation. The comparison with inchi_main, which
    runs in one process, takes tavr-inchi --jobs 1; the default run is given
    beside it."""
    tool = os.path.join(build, "bin", "tavr-inchi")
    inchi_main = shutil.which("inchi_main")
    workers = os.cpu_count() or 1
    commands = {}
    if has_jobs(tool):
        commands["jobs1"] = [tool, "write", "--jobs", "1", sdf]
        commands["jobsN"] = [tool, "write", "--jobs", str(workers), sdf]
    else:
        commands["jobs1"] = [tool, "write", sdf]
    if inchi_main:
        commands["inchi_main"] = [inchi_main, sdf, "out.txt", "log.txt", "prb.txt"]
    load_before = os.getloadavg()
    runs = alternate(commands, rounds, workdir)
    # Wall times of whole processes are only as good as the processors left
    # free by the machine's other work; the load tells how many that was.
    load = {"before": load_before[0], "after": os.getloadavg()[0]}

    e2e = None
    if "inchi_main" in runs:
        e2e = {
            "file": sdf,
            "rounds": rounds,
            "tavr_inchi_jobs1_wall_s": runs["jobs1"][0],
            "inchi_main_wall_s": runs["inchi_main"][0],
            "tavr_inchi_jobs1_cpu_s": runs["jobs1"][1],
            "inchi_main_cpu_s": runs["inchi_main"][1],
            "tavr_inchi_exit": runs["jobs1"][2],
            "wall_ratio": ratio(runs["jobs1"][0], runs["inchi_main"][0]),
            "cpu_ratio": ratio(runs["jobs1"][1], runs["inchi_main"][1]),
            "load_avg_1min": load,
        }
        if "jobsN" in runs:
            e2e["default_jobs_wall_ratio"] = ratio(runs["jobsN"][0], runs["inchi_main"][0])
    parallel = None
    if "jobsN" in runs:
        with open(os.path.join(workdir, "jobs1.out"), "rb") as one, \
                open(os.path.join(workdir, "jobsN.out"), "rb") as many:
            identical = one.read() == many.read()
        parallel = {
            "file": sdf,
            "workers": workers,
            "jobs1_wall_s": runs["jobs1"][0],
            "jobsN_wall_s": runs["jobsN"][0],
            "speedup": ratio(runs["jobs1"][0], runs["jobsN"][0]),
            # CPU spent by all processes of the run: what the workers cost on
            # top of the work itself, whatever the load of the machine.
            "cpu_overhead": ratio(runs["jobsN"][1], runs["jobs1"][1]),
            "output_identical": identical,
            "exit_identical": runs["jobs1"][2] == runs["jobsN"][2],
            "load_avg_1min": load,
        }
    return e2e, parallel


INCLUSIVE_LINE = re.compile(r"^\s*([\d,]+) \([^)]*\)\s+\S*?:(\w+) \[")


def inclusive_counts(callgrind_out):
    listing = subprocess.run(["callgrind_annotate", "--inclusive=yes", "--threshold=100", callgrind_out],
                             capture_output=True, text=True, check=True).stdout
    counts = {}
    for line in listing.splitlines():
        match = INCLUSIVE_LINE.match(line)
        if match:
            counts[match.group(2)] = counts.get(match.group(2), 0) + int(match.group(1).replace(",", ""))
    return counts


EXCLUSIVE_LINE = re.compile(r"^\s*([\d,]+) \([^)]*\)\s+(\S.*)$")
ALLOCATOR = ("malloc", "free", "calloc", "realloc", "operator new", "operator delete", "_int_", "unlink_chunk")


def exclusive_split(callgrind_out):
    """Instructions spent in the driver's own code, in the reference host (and
    the stand-in core library), in the heap allocator and elsewhere, each
    function counted by itself (code inlined into a function counts as that
    function's)."""
    listing = subprocess.run(["callgrind_annotate", "--auto=no", "--threshold=100", callgrind_out],
                             capture_output=True, text=True, check=True).stdout
    split = {"driver": 0, "host": 0, "allocator": 0, "other": 0}
    for line in listing.splitlines():
        match = EXCLUSIVE_LINE.match(line)
        if not match or "PROGRAM TOTALS" in line:
            continue
        count = int(match.group(1).replace(",", ""))
        function = match.group(2).split(":", 1)[-1]
        if function.startswith("refhost::") or "TavrStandIn" in function or "standInMutex" in function \
                or "TavrNewMemory" in function or "TavrDeleteMemory" in function:
            split["host"] += count
        elif any(word in function for word in ALLOCATOR):
            split["allocator"] += count
        elif any(word in function for word in ("InChI_n::", "bitSet_c", "string_c", "TavrWrite", "TavrRead")):
            split["driver"] += count
        else:
            split["other"] += count
    return split


def counted_run(build, workdir, benchmarks, corpus):
    """Runs one pass of the named benchmarks on the corpus under callgrind and
    returns the file of counts."""
    out = os.path.join(workdir, "callgrind." + re.sub(r"\W", "", benchmarks) + "." + corpus)
    subprocess.run(["valgrind", "--tool=callgrind", "--instr-atstart=no", "--callgrind-out-file=" + out,
                    os.path.join(build, "bin", "tavr-bench"),
                    "--benchmark_filter=^" + benchmarks + "/" + corpus + "$", "--benchmark_min_time=0"],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return out


def instruction_figures(build, workdir):
    """Instructions of one write pass and one read pass per corpus: the
    driver's entries against the InChI library calls they make."""
    if not shutil.which("valgrind"):
        return None
    figures = {}
    for corpus in CORPORA:
        c = inclusive_counts(counted_run(build, workdir, "(writeDriver|readDriver)", corpus))
        # The driver's own write steps with GetINCHI's answer handed in: no
        # library code runs, so every instruction is the driver's, the host's
        # or the allocator's.
        own_split = exclusive_split(counted_run(build, workdir, "writeOwn", corpus))
        read_split = exclusive_split(counted_run(build, workdir, "readDriver", corpus))
        write_library = c.get("GetINCHI", 0) + c.get("FreeINCHI", 0)
        read_library = c.get("Get_inchi_Input_FromAuxInfo", 0) + c.get("Free_inchi_Input", 0)
        figures[corpus] = {
            "tavr_write": c.get("TavrWrite"),
            "get_inchi_and_free": write_library,
            "write_overhead": ratio(c.get("TavrWrite", 0) - write_library, write_library),
            # The own steps by who runs them, as fractions of GetINCHI.
            "write_own_steps_split": {k: ratio(v, write_library) for k, v in own_split.items()},
            "tavr_read": c.get("TavrRead"),
            "parse_and_free": read_library,
            "read_ratio": ratio(c.get("TavrRead", 0), read_library),
            # What a read adds to the parse, by who runs it, as fractions of
            # the parse (the allocator is left out: the parser allocates too).
            "read_added_split": {k: ratio(read_split[k], read_library) for k in ("driver", "host")},
        }
    return figures


def git_commit():
    try:
        return subprocess.run(["git", "-C", ROOT, "rev-parse", "--short", "HEAD"], capture_output=True,
                              text=True, check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--timings", required=True)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--callgrind", type=int, default=1)
    parser.add_argument("--out", required=True)
    args = parser.parse_args()
    build = os.path.abspath(args.build)

    context, medians = load_medians(args.timings)
    writes = write_figures(medians)
    reads = read_figures(medians)
    scaling = scaling_figures(medians)
    plain = corpus_path("plain2d")
    with tempfile.TemporaryDirectory() as workdir:
        e2e, parallel = whole_processes(build, plain, args.rounds, workdir)
        counts = instruction_figures(build, workdir) if args.callgrind else None

    at_1000 = [row.get("write_share") for rows in scaling.values() for row in rows if row["atoms"] == 1000]
    figures = {
        "write_overhead": worst(w["own_share"] for w in writes.values()),
        "read_ratio": worst(r["ratio"] for r in reads.values()),
        "write_share_at_1000_atoms": worst(at_1000),
        "e2e_ratio_vs_inchi_main": e2e["wall_ratio"] if e2e else None,
        "jobs_speedup": parallel["speedup"] if parallel else None,
        "write_overhead_instructions": worst(c["write_overhead"] for c in counts.values()) if counts else None,
        "read_ratio_instructions": worst(c["read_ratio"] for c in counts.values()) if counts else None,
        # The write's own steps split: the driver's code (with the heap it
        # asks for) and the reference host answering its calls.
        "write_driver_code_instructions": worst(c["write_own_steps_split"]["driver"] +
                                                c["write_own_steps_split"]["allocator"]
                                                for c in counts.values()) if counts else None,
        "write_host_instructions": worst(c["write_own_steps_split"]["host"]
                                         for c in counts.values()) if counts else None,
        "write": writes,
        "read": reads,
        "scaling": scaling,
        "scaling_summary": scaling_summary(scaling),
        "end_to_end": e2e,
        "jobs": parallel,
        "instructions": counts,
        "run": {
            "commit": git_commit(),
            "date": context.get("date"),
            "cpus": context.get("num_cpus"),
            "load_avg": context.get("load_avg"),
            "corpora": {c: corpus_path(c) for c in CORPORA},
        },
    }
    with open(args.out, "w") as f:
        json.dump(figures, f, indent=2)
        f.write("\n")
    headline = {k: figures[k] for k in ("write_overhead", "read_ratio", "write_share_at_1000_atoms",
                                        "e2e_ratio_vs_inchi_main", "jobs_speedup",
                                        "write_overhead_instructions", "read_ratio_instructions",
                                        "write_driver_code_instructions", "write_host_instructions")}
    print(json.dumps(headline, indent=2))
    print("written to " + args.out)


if __name__ == "__main__":
    main()
