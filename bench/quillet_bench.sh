#!/bin/bash
# quillet's benchmarks. Each prints its rates as ratios against a reference
# run in the same invocation; nothing here is a pass/fail test.
#
# Usage: bench/quillet_bench.sh [BUILD_DIR] [MEGABYTES]
#   1. CheckScript on MEGABYTES (default 256) of SQL against a plain read
#      (target: at least 1.5 GB/s).
#   2. The merge of 1000 scripts of 200 MB in all against cat (target: at
#      least 0.6 of cat's throughput, peak memory under 16 MB).
#   3. The merge of 1000 small scripts with a crowded TMPDIR against an empty
#      one (target: at least 0.8), on a memory file system (/dev/shm) where
#      there is one and in the work folder.
# BUILD_DIR is a configured and built tree (default: build); the platform
# library is taken from its bin folder.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
megabytes=${2:-256}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CheckScript: the comment check of one script against a plain read.
# The scanner's sources are compiled with the benchmark, against the built
# platform library, with the same text-mode file layer as quillet.
${CXX:-g++} -std=c++17 -O2 -g -Wall -Wextra \
  -include winport/crt_override.h \
  -I "$root/platform/winport/include" -I "$root/platform/framework/include" -I "$root/quillet" \
  "$root/bench/check_script_bench.cpp" \
  "$root/quillet/check_script.cpp" "$root/quillet/qpxlex.cpp" "$root/quillet/yylexer.cpp" \
  -L "$build/bin" -ltekora-platform -Wl,-rpath,"$build/bin" \
  -o "$work/check_script_bench"
mkdir -p "$work/tmp"
TMPDIR="$work/tmp" "$work/check_script_bench" "$work" "$megabytes"

# The whole merge: 1000 scripts of 200 MB in all (MERGE_MEGABYTES), merged by
# quillet against cat of the same files into one file.
total_mb=${MERGE_MEGABYTES:-200}
python3 - "$work" "$total_mb" <<'PY'
import os, sys
work, total_mb = sys.argv[1], int(sys.argv[2])
src = os.path.join(work, "src")
os.makedirs(src, exist_ok=True)
line = b"SELECT c.id, c.name FROM customer c WHERE c.note <> '/* text */' -- list\r\n"
block = b"/* header of the script */\r\n" + line * 200
per_script = total_mb * 1024 * 1024 // 1000
with open(os.path.join(src, "proclist.txt"), "wb") as lst:
    for i in range(1000):
        name = "script%04d.sql" % i
        data = (block * (per_script // len(block) + 1))[:per_script]
        data = data[: data.rfind(b"\n") + 1]
        with open(os.path.join(src, name), "wb") as f:
            f.write(data)
        lst.write(name.encode() + b"\r\n")
PY

# Error boxes off, in a registry of the benchmark's own.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/winport/registry"
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kestrova\\Utils\\quillet\\Settings]\r\n"MessageBox"=dword:00000000\r\n' \
  > "$XDG_CONFIG_HOME/winport/registry/HKEY_CURRENT_USER.reg"

python3 - "$work" "$build/bin/quillet" <<'PY'
import os, resource, subprocess, sys, time
work, quillet = sys.argv[1], sys.argv[2]
src = os.path.join(work, "src")
scripts = [os.path.join(src, l.strip()) for l in open(os.path.join(src, "proclist.txt")) if l.strip()]
size_mb = sum(os.path.getsize(s) for s in scripts) / 1e6

def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime

# Elapsed and processor seconds of one run; on a busy machine the processor
# time is the steadier figure.
def timed(command, **kwargs):
    start, cpu = time.perf_counter(), children_cpu()
    subprocess.run(command, check=True, stderr=subprocess.DEVNULL, **kwargs)
    return time.perf_counter() - start, children_cpu() - cpu

with open(os.path.join(work, "cat.sql"), "wb") as out:
    cat_seconds, cat_cpu = timed(["cat"] + scripts, stdout=out)
quillet_seconds, quillet_cpu = timed([quillet, src, os.path.join(work, "merged.sql")], stdout=subprocess.DEVNULL)
# The largest resident size of any child so far: cat's is far below quillet's.
peak_kb = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss
print(f"merge of {len(scripts)} scripts, {size_mb:.0f} MB")
print(f"  cat      {size_mb / cat_seconds:8.1f} MB/s")
print(f"  quillet  {size_mb / quillet_seconds:8.1f} MB/s   ratio to cat {cat_seconds / quillet_seconds:.3f} (target >= 0.6)")
print(f"  processor time: cat {cat_cpu:.3f} s, quillet {quillet_cpu:.3f} s, ratio {cat_cpu / quillet_cpu:.3f}")
print(f"  quillet peak memory {peak_kb / 1024:.1f} MB (target < 16 MB)")
PY

# A crowded temporary folder: 1000 small scripts merged with TMPDIR holding
# 20000 entries, against the same merge with TMPDIR empty. Each merge runs
# three times; the best run counts. The comparison runs on a memory file
# system where there is one, which shows what the POSIX layer's lookups cost,
# and again in the work folder, where the disk file system adds its own cost
# of a large folder: its listing, its lookups and, for some seconds after
# many files were deleted, a slower search for a free inode on every create.
shm_work=""
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  shm_work=$(mktemp -d /dev/shm/quillet-bench.XXXXXX)
  trap 'rm -rf "$work" "$shm_work"' EXIT
fi
python3 - "$build/bin/quillet" "$shm_work" "$work" <<'PY'
import os, resource, subprocess, sys, time
quillet = sys.argv[1]

def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime

def compare(work, where):
    src = os.path.join(work, "small")
    os.makedirs(src)
    with open(os.path.join(src, "proclist.txt"), "wb") as lst:
        for i in range(1000):
            with open(os.path.join(src, "s%04d.sql" % i), "wb") as f:
                f.write(b"SELECT 1 /* one */ FROM t -- note\r\n" * 8)
            lst.write(b"s%04d.sql\r\n" % i)
    empty, crowded = os.path.join(work, "tmp-empty"), os.path.join(work, "tmp-crowded")
    os.makedirs(empty)
    os.makedirs(crowded)
    for i in range(20000):
        open(os.path.join(crowded, "entry%05d.dat" % i), "wb").close()

    # The best elapsed and the best processor seconds of three runs.
    def best(tmpdir):
        env = dict(os.environ, TMPDIR=tmpdir)
        times, cpus = [], []
        for _ in range(3):
            start, cpu = time.perf_counter(), children_cpu()
            subprocess.run([quillet, src, os.path.join(work, "small.sql")], check=True, env=env,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            times.append(time.perf_counter() - start)
            cpus.append(children_cpu() - cpu)
        return min(times), min(cpus)

    (empty_seconds, empty_cpu), (crowded_seconds, crowded_cpu) = best(empty), best(crowded)
    print(f"merge of 1000 small scripts, TMPDIR crowded (20000 entries) against TMPDIR empty, {where}")
    print(f"  empty    {empty_seconds:8.3f} s   processor {empty_cpu:.3f} s")
    print(f"  crowded  {crowded_seconds:8.3f} s   processor {crowded_cpu:.3f} s")
    print(f"  ratio {empty_seconds / crowded_seconds:.3f} (target >= 0.8), processor time {empty_cpu / crowded_cpu:.3f}")

if sys.argv[2]:
    compare(sys.argv[2], "memory file system")
compare(sys.argv[3], "work folder")
PY
