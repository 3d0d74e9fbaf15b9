#!/usr/bin/env bash
# run-under-wine.sh WINE PROGRAM [ARG...]
# Runs one Windows test program under Wine for CTest. Wine's own process can
# fail after the program has ended: glibc's loader then reports
# "Inconsistency detected by ld.so" while Wine tears the process down, and the
# process exits with 127 whatever the program returned. Only that failure
# runs the program once more; every other result, the program's exit code
# included, is passed on as it is.
set -u
wine="$1"
shift
stderr_copy="$(mktemp)"
trap 'rm -f "$stderr_copy"' EXIT

loader_failed_at_teardown() {
  # The message was written before the process ended; give tee a moment to
  # copy it. Waiting for tee itself could take as long as the wineserver
  # lives, since Wine's background programs inherit the pipe.
  local tries
  for tries in 1 2 3 4 5 6 7 8 9 10; do
    grep -q "Inconsistency detected by ld.so" "$stderr_copy" && return 0
    sleep 0.2
  done
  return 1
}

# The program's error output goes to CTest as it comes, and to the copy.
"$wine" "$@" 2> >(tee "$stderr_copy" >&2)
status=$?
if [ "$status" -eq 127 ] && loader_failed_at_teardown; then
  echo "run-under-wine.sh: Wine's process failed while it ended; running the program once more" >&2
  "$wine" "$@"
  status=$?
fi
exit "$status"
