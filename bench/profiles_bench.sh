#!/bin/bash
# Benchmarks of the INI model and the profile cache. Nothing here is a
# pass/fail test; each figure is printed with its ratio to a reference.
#
# Usage: bench/profiles_bench.sh [BUILD_DIR] [MEGABYTES]
#
# 1. An INI file of MEGABYTES (default 50) with 1000 sections and 500000
#    keys is loaded, one key changed and the file saved, through PAIniFile
#    and through Python's configparser in the same run (target: PAIniFile at
#    least 10 times faster). Each side runs three times; the best run counts.
#    The processor time is printed too: on a machine busy with other work the
#    elapsed times say little.
# 2. 1000000 reads of cached keys with PAGetPrivateProfileString (target:
#    under 1 microsecond each on average).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
megabytes=${2:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

. "$root/bench/bench_program.sh"
compile_bench_program profiles_bench

# The library's Windows directory and data folders stay inside the work folder.
export XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"

python3 - "$work" "$megabytes" "$work/profiles_bench" <<'PY'
import configparser, os, shutil, subprocess, sys, time

work, megabytes, bench = sys.argv[1], int(sys.argv[2]), sys.argv[3]
sections, keys_per_section = 1000, 500
# Values are padded so that the file reaches the size asked for.
line_bytes = megabytes * 1000 * 1000 // (sections * keys_per_section)
master = os.path.join(work, "master.ini")
with open(master, "wb") as f:
    for s in range(sections):
        f.write(b"[SECTION_%04d]\r\n" % s)
        for k in range(keys_per_section):
            head = b"KEY_%06d=value %d of section %d " % (k, k, s)
            f.write(head + b"x" * max(0, line_bytes - len(head) - 2) + b"\r\n")
        f.write(b"\r\n")
size_mb = os.path.getsize(master) / 1e6
print(f"INI file: {sections} sections, {sections * keys_per_section} keys, {size_mb:.1f} MB")

def fresh(name):
    path = os.path.join(work, name)
    shutil.copyfile(master, path)
    return path

def run_tekora():
    # The program times its own load, change and save (the process start and
    # the freeing of the object at its end are not part of the job).
    path = fresh("tekora.ini")
    out = subprocess.run([bench, "cycle", path, "SECTION_0500", "KEY_000250"], check=True,
                         capture_output=True, text=True).stdout.split()
    return float(out[out.index("total") + 1]), float(out[out.index("cpu") + 1]), " ".join(out)

def run_configparser():
    path = fresh("configparser.ini")
    start = time.perf_counter()
    cpu_start = time.process_time()
    parser = configparser.ConfigParser()
    parser.optionxform = str  # keys keep their case, as in the INI model
    parser.read(path, encoding="latin-1")
    parser["SECTION_0500"]["KEY_000250"] = "changed"
    with open(path, "w", encoding="latin-1", newline="\r\n") as f:
        parser.write(f, space_around_delimiters=False)
    return time.perf_counter() - start, time.process_time() - cpu_start, ""

tekora = min(run_tekora() for _ in range(3))
reference = min(run_configparser() for _ in range(3))
print("load + change + save, best of 3 (elapsed, and processor time of the same run):")
print(f"  configparser {reference[0]:8.3f} s   cpu {reference[1]:.3f} s")
print(f"  PAIniFile    {tekora[0]:8.3f} s   cpu {tekora[1]:.3f} s   ({tekora[2]})")
print(f"  PAIniFile is {reference[0] / tekora[0]:.1f} times faster (target >= 10); "
      f"{reference[1] / tekora[1]:.1f} times less processor time")

small = os.path.join(work, "reads.ini")
with open(small, "wb") as f:
    for s in range(10):
        f.write(b"[READS_%02d]\r\n" % s)
        for k in range(100):
            f.write(b"KEY_%03d=value of key %d in section %d\r\n" % (k, k, s))
        f.write(b"\r\n")
out = subprocess.run([bench, "reads", small, "1000000"], check=True, capture_output=True, text=True).stdout.split()
ns = float(out[out.index("ns_per_read") + 1])
parser = configparser.ConfigParser(interpolation=None)
parser.optionxform = str
parser.read(small, encoding="latin-1")
start = time.perf_counter()
for i in range(100000):
    parser.get("READS_%02d" % (i % 10), "KEY_%03d" % (i % 100))
py_ns = (time.perf_counter() - start) * 1e9 / 100000
print(f"cached reads: PAGetPrivateProfileString {ns:.0f} ns per read "
      f"({ns / 1000:.2f} of the 1 microsecond target); configparser get {py_ns:.0f} ns "
      f"(PAGetPrivateProfileString {py_ns / ns:.1f} times faster)")
PY
