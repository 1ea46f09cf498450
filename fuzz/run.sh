#!/usr/bin/env bash
# Runs one fuzz target for FUZZ_SECONDS (default 20) from its seed corpus and dictionary.  New
# inputs go to a scratch directory, so the corpus in the repository stays as it is; a crash
# leaves its reproducer in fuzz-artifacts/ of the current directory and fails the run.
set -u
bin="$1"
name="$2"
src="$(cd "$(dirname "$0")" && pwd)"
secs="${FUZZ_SECONDS:-20}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p fuzz-artifacts
args=(-max_total_time="$secs" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
      -artifact_prefix="fuzz-artifacts/$name-")
if [ -f "$src/$name.dict" ]; then args+=(-dict="$src/$name.dict"); fi
corpus=()
if [ -d "$src/corpus/$name" ]; then corpus+=("$src/corpus/$name"); fi
exec "$bin" "${args[@]}" "$work" "${corpus[@]}" 2>&1
