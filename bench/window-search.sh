#!/usr/bin/env bash
# The window against search-cli on the same criteria, under Xvfb, the window driven with
# xdotool: the time from Enter in String 1 to the end of the busy dialog, beside search-cli's
# time for the same search, run alternately. Then how fast a click on Cancel ends a search.
#   bench/window-search.sh [BUILD_DIR]      RUNS=N sets the runs per search (default 3);
#   BUSY_CORE=1 keeps one core busy with another process throughout.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh" "$@"
window="$build_dir/search"

if [[ "${WINDOW_BENCH_INNER:-}" != 1 ]]; then
  bench_prepare
  bench_install xdotool xvfb xauth x11-utils
  exec xvfb-run -a -s "-screen 0 1280x1024x24" env WINDOW_BENCH_INNER=1 QT_QPA_PLATFORM=xcb \
    bash "$0" "$@"
fi

now() { date +%s.%N; }
elapsed() { awk "BEGIN{printf \"%.2f\", $2 - $1}"; }
median() { sort -g | awk '{v[NR]=$1} END{print (NR%2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

settings_dir=$(mktemp -d)
chmod 700 "$settings_dir"
export XDG_RUNTIME_DIR="$settings_dir"
window_pid=""
result=""
stop_window() {
  if [[ -n "$window_pid" ]]; then
    kill "$window_pid" 2>/dev/null || true
    wait "$window_pid" 2>/dev/null || true
  fi
  window_pid=""
}
busy_pid=""
trap 'stop_window; [[ -n "$busy_pid" ]] && kill "$busy_pid"; rm -rf "$settings_dir"' EXIT
if [[ "${BUSY_CORE:-0}" == 1 ]]; then
  bash -c 'while :; do :; done' &
  busy_pid=$!
fi

# Starts a fresh window (so that no search reuses the previous one's files) whose settings
# hold the criteria as the last search's: Path the corpus, Files *, subfolders, String 1 the
# text. Written rather than typed, since typed keys can be lost on a busy machine.
start_window() {
  stop_window
  local settings
  settings=$(mktemp -d -p "$settings_dir")
  cat >"$settings/HKEY_CURRENT_USER.reg" <<EOF
REGEDIT4

[HKEY_CURRENT_USER\Software\Vantrel Software\Search]
"Path"=dword:00000001
"Path1"="$CORPUS/"
"Files"=dword:00000001
"Files1"="*"
"StringA"=dword:00000001
"StringA1"="$1"
"RecurseSubdirectories"=dword:00000001
EOF
  VANTREL_REGISTRY_DIR="$settings" "$window" >/dev/null 2>&1 &
  window_pid=$!
  local id
  id=$(xdotool search --sync --all --onlyvisible --pid "$window_pid" --name '^Vantrel Software Search$' | head -n 1)
  xdotool windowfocus --sync "$id"
  xdotool key --clearmodifiers alt+1  # String 1, where Enter is pressed
}

# The windows are looked up by the process that owns them, never a window of an earlier one.
busy_window() {
  xdotool search --all --onlyvisible --pid "$window_pid" --name '^Searching\.\.\.$' 2>/dev/null | head -n 1 || true
}

# Waits for the busy dialog to appear; prints its id.
wait_for_busy() {
  local id=""
  for ((i = 0; i < 2000; i++)); do
    id=$(busy_window)
    [[ -n "$id" ]] && break
    sleep 0.005
  done
  echo "$id"
}

# Blocks until the window is destroyed, looking every few milliseconds, then prints the time
# it was first missed. Seen missing twice in a row, so that a lookup that fails while other
# windows come and go does not end the wait.
exists() { xwininfo -id "$1" >/dev/null 2>&1; }
wait_until_gone() {
  local missed
  while true; do
    while exists "$1"; do sleep 0.005; done
    missed=$(now)
    sleep 0.005
    exists "$1" || break
  done
  echo "$missed"
}

# One search in the window: $result becomes the seconds from Enter to the end of the busy
# dialog. It runs in this shell, which keeps the window's process id.
window_run() {
  start_window "$1"
  local start id end
  start=$(now)
  xdotool key Return
  id=$(wait_for_busy)
  result=nan
  [[ -z "$id" ]] && return
  end=$(wait_until_gone "$id")
  result=$(elapsed "$start" "$end")
}

cli_run() {
  local start end
  start=$(now)
  "$cli" --path "$CORPUS" --files '*' --subdirs -1 "$1" >/dev/null 2>&1 || true
  end=$(now)
  elapsed "$start" "$end"
}

compare() {
  local label=$1 text=$2 ours=() theirs=()
  cli_run "$text" >/dev/null  # warms the file cache
  for ((run = 0; run < RUNS; run++)); do
    window_run "$text"
    ours+=("$result")
    theirs+=("$(cli_run "$text")")
  done
  stop_window
  local window_median cli_median
  window_median=$(printf '%s\n' "${ours[@]}" | median)
  cli_median=$(printf '%s\n' "${theirs[@]}" | median)
  printf '%s\n' "$label"
  printf '  window      median %6.2f s   runs %s\n' "$window_median" "${ours[*]}"
  printf '  search-cli  median %6.2f s   runs %s\n' "$cli_median" "${theirs[*]}"
  printf '  ratio %s\n' "$(awk "BEGIN{printf \"%.2fx\", $window_median / $cli_median}")"
}

# A click on Cancel a second into a long search: $result becomes the seconds until the busy
# dialog is gone.
cancel_run() {
  start_window "$1"
  xdotool key Return
  local id
  id=$(wait_for_busy)
  result=nan
  [[ -z "$id" ]] && return
  sleep 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  local gone_at clicked
  wait_until_gone "$id" >"$settings_dir/gone" &
  local watcher=$!
  sleep 0.1  # the watcher is looking
  clicked=$(now)
  xdotool mousemove --window "$id" $((WIDTH / 2)) $((HEIGHT - 20)) click 1
  wait "$watcher"
  gone_at=$(head -n 1 "$settings_dir/gone")
  result=$(elapsed "$clicked" "$gone_at")
}

echo "== the window under Xvfb against search-cli, $(nproc) cores, median of $RUNS$([[ -n "$busy_pid" ]] && echo ', one core kept busy') =="
compare "literal PM_RESUME" PM_RESUME
compare "static, with context" static
compare "nothing found" QZXJ_NOT_IN_ANY_FILE
cancels=()
for ((run = 0; run < RUNS; run++)); do
  cancel_run static
  cancels+=("$result")
done
stop_window
printf 'Cancel clicked during "static": median %s s until the busy dialog closed (runs %s)\n' \
  "$(printf '%s\n' "${cancels[@]}" | median)" "${cancels[*]}"
