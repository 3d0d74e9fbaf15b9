#!/bin/bash
# Benchmark of the project tree: a project file of SECTIONS sections (10 keys
# each) in a tree five levels deep through CHILDS, loaded whole with
# PANodeObject::Load, then saved with Save and PASaveProfiles; Python's
# configparser reads and writes the same file in the same run. Nothing here
# is a pass/fail test: each figure is printed with its ratio to the
# reference. Targets: load and save together at least 5 times faster than
# configparser; peak memory under 4 times the file's size; the cost growing
# linearly with the number of sections (the figures for 1000 and 10000).
# The memory is given twice: the process's peak, and that peak less what the
# process held before the load (the libraries and the runtime, about 4.5 MB,
# which would swamp the smaller file), the fair measure of the target.
#
# Each side runs three times and the best run counts; the processor time is
# printed too, since on a machine busy with other work the elapsed times say
# little.
#
# Usage: bench/config_tree_bench.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$root/bench/bench_program.sh"
compile_bench_program config_tree_bench

# The library's Windows directory and data folders stay inside the work folder.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

python3 - "$work" "$work/config_tree_bench" <<'PY'
import configparser, os, resource, shutil, subprocess, sys, time

work, bench = sys.argv[1], sys.argv[2]
KEYS, FANOUT = 10, 10

def write_tree(path, sections):
    # Sections in breadth-first order: node i's children are FANOUT*i+1 ...
    # so 10000 sections make five levels (1, 10, 100, 1000, 8889).
    with open(path, "wb") as f:
        for i in range(sections):
            f.write(b"[NODE_%05d]\r\n" % i)
            children = [c for c in range(FANOUT * i + 1, FANOUT * i + FANOUT + 1) if c < sections]
            if children:
                f.write(b"CHILDS=" + b"".join(b"NODE_%05d," % c for c in children) + b"\r\n")
            for k in range(KEYS):
                f.write(b"KEY_%02d=value %d of node %d\r\n" % (k, k, i))
            f.write(b"\r\n")

def run_tekora(master):
    path = os.path.join(work, "tekora.ini")
    shutil.copyfile(master, path)
    out = subprocess.run([bench, path, "NODE_00000"], check=True, capture_output=True, text=True).stdout.split()
    get = lambda name: float(out[out.index(name) + 1])
    return (get("total"), get("load"), get("save"), get("cpu"), int(get("sections")), int(get("peak_kb")),
            int(get("start_kb")))

def run_configparser(master):
    path = os.path.join(work, "configparser.ini")
    shutil.copyfile(master, path)
    start = time.perf_counter()
    cpu_start = time.process_time()
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str  # keys keep their case, as in the INI model
    parser.read(path, encoding="latin-1")
    parser["NODE_00000"]["KEY_00"] = "changed"
    with open(path, "w", encoding="latin-1", newline="\r\n") as f:
        parser.write(f, space_around_delimiters=False)
    return time.perf_counter() - start, time.process_time() - cpu_start

results = {}
for sections in (1000, 10000):
    master = os.path.join(work, "master_%d.ini" % sections)
    write_tree(master, sections)
    size = os.path.getsize(master)
    tekora = min(run_tekora(master) for _ in range(3))
    reference = min(run_configparser(master) for _ in range(3))
    results[sections] = tekora[0]
    print(f"{sections} sections, {sections * KEYS} keys, {size / 1e6:.2f} MB, {tekora[4]} sections loaded:")
    print(f"  configparser read + write  {reference[0]:8.3f} s (cpu {reference[1]:.3f} s)")
    print(f"  Load {tekora[1]:.3f} s + Save and PASaveProfiles {tekora[2]:.3f} s = {tekora[0]:.3f} s"
          f" (cpu {tekora[3]:.3f} s)")
    print(f"  tekora is {reference[0] / tekora[0]:.1f} times faster (target >= 5);"
          f" {reference[1] / tekora[3]:.1f} times less processor time")
    peak, start = tekora[5] * 1024, tekora[6] * 1024
    print(f"  peak memory {peak / 1e6:.1f} MB = {peak / size:.1f} times the file"
          f" (the whole process, its {start / 1e6:.1f} MB of libraries included)")
    print(f"  peak memory of the tree and the cache {(peak - start) / 1e6:.1f} MB"
          f" = {(peak - start) / size:.1f} times the file (target < 4)")
ratio = results[10000] / results[1000]
print(f"growth: 10 times the sections take {ratio:.1f} times as long (linear: about 10)")
PY
