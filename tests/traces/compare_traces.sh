#!/usr/bin/env bash
# Runs the Linux replay tool and another build of it (WebAssembly under node, Windows under Wine)
# on the whole-game and game-over scripts, each in a fresh copy of a run folder, and fails unless
# their traces are byte for byte the same and the games end alike.
set -euo pipefail

usage() {
  cat <<'TEXT'
usage: tests/traces/compare_traces.sh RUN_DIR OUTPUT_DIR LINUX_REPLAY NAME COMMAND...

Plays tests/replays/full-game.replay and tests/replays/game-over.replay with LINUX_REPLAY (the
native gorvanti-replay) and with COMMAND (the other build, e.g. "node gorvanti-replay.js" or
"wine gorvanti-replay.exe"), each in its own copy of RUN_DIR. Writes the traces to OUTPUT_DIR as
linux-SCRIPT.csv and NAME-SCRIPT.csv, prints their sizes and sha256 sums, and exits with 1 at the
first trace, exit code or besttime.dat table that differs, showing where.
TEXT
}

if [ $# -ge 1 ] && { [ "$1" = --help ] || [ "$1" = -h ]; }; then
  usage
  exit 0
fi
if [ $# -lt 5 ]; then
  usage >&2
  exit 2
fi
run_dir=$1 output_dir=$2 linux_replay=$3 name=$4
shift 4
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
for needed in "$run_dir/setup.ini" "$run_dir/graphics" "$linux_replay"; do
  if [ ! -e "$needed" ]; then
    echo "compare_traces: $needed is missing" >&2
    exit 2
  fi
done

mkdir -p "$output_dir"
output_dir=$(cd "$output_dir" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# Plays SCRIPT with the command after it in a fresh copy of the run folder; prints the exit code.
play() {
  local script=$1 folder=$2 trace=$3
  shift 3
  rm -rf "$folder"
  cp -r "$run_dir" "$folder"
  local exit_code=0
  "$@" --dir "$folder" --trace "$trace" "$source_dir/tests/replays/$script.replay" \
    >"$folder.log" 2>&1 || exit_code=$?
  echo "$exit_code"
}

failed=0
for script in full-game game-over; do
  linux_trace=$output_dir/linux-$script.csv
  other_trace=$output_dir/$name-$script.csv
  linux_exit=$(play "$script" "$scratch/linux" "$linux_trace" "$linux_replay")
  other_exit=$(play "$script" "$scratch/$name" "$other_trace" "$@")
  if [ "$linux_exit" != "$other_exit" ]; then
    echo "FAIL $script: exit code $linux_exit on Linux, $other_exit on $name" >&2
    cat "$scratch/$name.log" >&2
    failed=1
  elif ! cmp -s "$linux_trace" "$other_trace"; then
    echo "FAIL $script: the traces differ (first lines that do):" >&2
    diff "$linux_trace" "$other_trace" | head -n 8 >&2 || true
    failed=1
  # The same table: Windows ends its lines with CR LF, as its C library writes text files.
  elif ! cmp -s <(tr -d '\r' <"$scratch/linux/besttime.dat") \
    <(tr -d '\r' <"$scratch/$name/besttime.dat"); then
    echo "FAIL $script: besttime.dat holds another table after the game" >&2
    failed=1
  else
    echo "same $script: $(wc -c <"$linux_trace") bytes, sha256 $(sha256sum "$linux_trace" | cut -c1-64)"
  fi
done
exit "$failed"
