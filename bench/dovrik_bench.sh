#!/usr/bin/env bash
# Throughput of dovrik against cat on the same large script.
#
#   bench/dovrik_bench.sh [path/to/dovrik] [size_in_MB]
#
# Builds a script of about size_in_MB (default 200) from a block of typical
# SQL (indented code, line and block comments, a settings block, quoted
# text), prepares it once with dovrik and copies it once with cat, each into
# a file, and prints both rates in MB/s and their ratio. The target is a
# ratio of at least 0.5. Each program runs three times; the best run counts.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
dovrik=${1:-$here/../build/bin/dovrik}
size_mb=${2:-200}
if [[ ! -x $dovrik ]]; then
  echo "dovrik not found at $dovrik (build first, or pass its path)" >&2
  exit 1
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/dovrik-bench.XXXXXX")
trap 'rm -rf "$work"' EXIT

# One block of script text with CR LF line ends, doubled until it is large
# enough, then cut to the size asked for.
{
  printf '/*VOXTAG\r\n[Script]\r\nApplication = Orders\r\nBasedOn=1.4\r\nVOXTAG*/\r\n'
  for i in $(seq 1 40); do
    printf -- '-- procedure %d: totals per customer\r\n' "$i"
    printf 'create procedure p_totals_%d @customer int\r\nas\r\nbegin\r\n' "$i"
    printf '\t/* the totals of one customer,\r\n\t   summed over all open orders */\r\n'
    printf '\tselect   o.customer_id,\tsum(o.amount)  as total   /* net */\r\n'
    printf '\t\tfrom orders o  where o.customer_id = @customer and o.state = "open"\r\n'
    printf '\t\tgroup by o.customer_id    \r\n\r\n'
    printf '\tif @@rowcount = 0 print "no open orders for customer"  -- not at line start\r\n'
    printf 'end\r\ngo\r\n\r\n'
  done
} > "$work/block.sql"
cp "$work/block.sql" "$work/in.sql"
target=$((size_mb * 1000 * 1000))
while (( $(stat -c %s "$work/in.sql") < target )); do
  cat "$work/in.sql" "$work/in.sql" > "$work/next.sql"
  mv "$work/next.sql" "$work/in.sql"
done
head -c "$target" "$work/in.sql" > "$work/next.sql"
mv "$work/next.sql" "$work/in.sql"
bytes=$(stat -c %s "$work/in.sql")
cat "$work/in.sql" > /dev/null  # into the page cache before any timing

now() { date +%s%N; }

# best_ns <command...>: the shortest of three runs, in nanoseconds; the
# smallest processor time of the three (user and system, in seconds) goes
# to $work/cpu.
best_ns() {
  local best=0 start elapsed cpu best_cpu=""
  for _ in 1 2 3; do
    rm -f "$work/out.sql"
    start=$(now)
    cpu=$( { TIMEFORMAT='%U %S'; time "$@" > /dev/null; } 2>&1 | awk '{ print $1 + $2 }')
    elapsed=$(( $(now) - start ))
    if (( best == 0 || elapsed < best )); then best=$elapsed; fi
    if [[ -z $best_cpu ]] || awk -v a="$cpu" -v b="$best_cpu" 'BEGIN { exit !(a < b) }'; then best_cpu=$cpu; fi
  done
  echo "$best_cpu" > "$work/cpu"
  echo "$best"
}

run_cat() { cat "$work/in.sql" > "$work/out.sql"; }
run_dovrik() { "$dovrik" "$work/in.sql" "$work/out.sql"; }

cat_ns=$(best_ns run_cat)
cat_cpu=$(cat "$work/cpu")
dovrik_ns=$(best_ns run_dovrik)
dovrik_cpu=$(cat "$work/cpu")
out_bytes=$(stat -c %s "$work/out.sql")

lines=$(wc -l < "$work/in.sql")
awk -v b="$bytes" -v l="$lines" -v o="$out_bytes" -v c="$cat_ns" -v d="$dovrik_ns" \
    -v cc="$cat_cpu" -v dc="$dovrik_cpu" 'BEGIN {
  cat_rate = b / 1e6 / (c / 1e9)
  dovrik_rate = b / 1e6 / (d / 1e9)
  printf "input            %.1f MB in %d lines (prepared copy %.1f MB)\n", b / 1e6, l, o / 1e6
  printf "cat              %8.1f MB/s\n", cat_rate
  printf "dovrik           %8.1f MB/s\n", dovrik_rate
  printf "ratio dovrik/cat %8.2f (target at least 0.5)\n", dovrik_rate / cat_rate
  printf "processor time   cat %.3f s, dovrik %.3f s\n", cc, dc
}'
