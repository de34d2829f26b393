#!/usr/bin/env bash
# Searching the contents of every file of the corpus, against ripgrep (which also reads every
# file with -uuu) and GNU grep, single-threaded and with the default threads.
set -euo pipefail
# Both tools list the matching lines with their numbers and no context lines (-B 0 -A 0).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh" "$@"
bench_prepare

query() {
  local label=$1
  shift
  local ours_args=() rg_args=() grep_args=()
  while [[ $# -gt 0 && $1 != "--rg" ]]; do ours_args+=("$1"); shift; done
  shift
  while [[ $# -gt 0 && $1 != "--grep" ]]; do rg_args+=("$1"); shift; done
  [[ $# -gt 0 ]] && shift
  grep_args=("$@")

  local ours1 rg1 ours rg
  ours1=$(bench_measure search-cli-j1 "$cli" --path "$CORPUS" --files "*" --subdirs -B 0 -A 0 -j1 "${ours_args[@]}")
  rg1=$(bench_measure rg-j1 rg -uuu -j1 -n "${rg_args[@]}" "$CORPUS")
  ours=$(bench_measure search-cli "$cli" --path "$CORPUS" --files "*" --subdirs -B 0 -A 0 "${ours_args[@]}")
  rg=$(bench_measure rg rg -uuu -n "${rg_args[@]}" "$CORPUS")
  bench_report "$label, one thread" "$ours1" "$rg1"
  if [[ ${#grep_args[@]} -gt 0 ]]; then
    local grep
    grep=$(bench_measure grep grep -rn "${grep_args[@]}" "$CORPUS")
    bench_report "$label, default threads" "$ours" "$rg" "$grep"
  else
    bench_report "$label, default threads" "$ours" "$rg"
  fi
}

query "literal PM_RESUME" -1 PM_RESUME --case-sensitive --rg PM_RESUME --grep PM_RESUME
query "case-insensitive pm_resume" -1 pm_resume --rg -i pm_resume --grep -i pm_resume
query "whole word PM_RESUME" -1 PM_RESUME --case-sensitive --whole-word --rg -w PM_RESUME --grep -w PM_RESUME
query "PM_RESUME and define on a line" -1 PM_RESUME -2 define --match and --case-sensitive \
  --rg 'PM_RESUME.*define|define.*PM_RESUME' --grep -E 'PM_RESUME.*define|define.*PM_RESUME'
# Files holding PM_RESUME but not pm_runtime anywhere: ripgrep and grep need two passes, so
# they are timed listing the files that hold PM_RESUME (-l), the larger half of the work.
query "PM_RESUME and not pm_runtime across the whole file" -1 PM_RESUME -2 pm_runtime --match and-not \
  --whole-file --case-sensitive --rg -l PM_RESUME --grep -l PM_RESUME
