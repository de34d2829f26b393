# Shared by the benchmark scripts: the corpus, the tools compared, and a timer that reports
# the best wall time of several runs and the peak memory.

# The scripts take the build folder as their argument (default build/release).
build_dir=${1:-build/release}
cli="$build_dir/cli/search-cli"
BENCH_CACHE=${BENCH_CACHE:-/var/cache/search-bench}
CORPUS="$BENCH_CACHE/linux-source-6.1"
RUNS=${RUNS:-3}

bench_install() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  local sudo_cmd=()
  [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Installs the tools and unpacks the kernel sources once, outside the repository.
bench_prepare() {
  bench_install linux-source-6.1 ripgrep grep findutils time
  if [[ ! -d "$CORPUS" ]]; then
    echo "Unpacking the corpus into $BENCH_CACHE (once)..."
    local sudo_cmd=()
    [[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" mkdir -p "$BENCH_CACHE"
    local staging="$BENCH_CACHE/.unpacking.$$"
    "${sudo_cmd[@]}" mkdir -p "$staging"
    "${sudo_cmd[@]}" tar xf /usr/src/linux-source-6.1.tar.xz -C "$staging"
    "${sudo_cmd[@]}" mv "$staging/linux-source-6.1" "$CORPUS"
    "${sudo_cmd[@]}" rmdir "$staging"
  fi
}

# bench_measure NAME COMMAND...: prints "NAME seconds peak-kB" for the best of RUNS runs
# (one warm-up run first, output discarded).
bench_measure() {
  local name=$1
  shift
  "$@" >/dev/null 2>&1 || true
  local best="" best_memory=0
  for ((run = 0; run < RUNS; run++)); do
    local report report_file
    report_file=$(mktemp)
    /usr/bin/time -o "$report_file" -f "%e %M" "$@" >/dev/null 2>/dev/null || true
    report=$(tail -n 1 "$report_file")
    rm -f "$report_file"
    local seconds=${report% *} memory=${report#* }
    if [[ -z "$best" ]] || awk "BEGIN{exit !($seconds < $best)}"; then best=$seconds; fi
    ((memory > best_memory)) && best_memory=$memory
  done
  echo "$name $best $best_memory"
}

# bench_compare LABEL OURS_LINE OTHER_LINE...: prints the times, the memory and our ratio to each.
bench_report() {
  local label=$1 ours=$2
  shift 2
  read -r ours_name ours_time ours_memory <<<"$ours"
  printf '%s\n' "$label"
  printf '  %-28s %8.2f s %8.1f MB\n' "$ours_name" "$ours_time" "$(awk "BEGIN{print $ours_memory/1024}")"
  for other in "$@"; do
    read -r other_name other_time other_memory <<<"$other"
    printf '  %-28s %8.2f s %8.1f MB   ratio %s\n' "$other_name" "$other_time" \
      "$(awk "BEGIN{print $other_memory/1024}")" \
      "$(awk "BEGIN{ if ($other_time > 0) printf \"%.2fx\", $ours_time/$other_time; else print \"n/a\" }")"
  done
}

# Called before every timed run of bench_alternate; the cold-cache benchmark empties the page
# cache here.
bench_before_each() { :; }

# bench_alternate NAME COMMAND [NAME COMMAND]...: runs the commands (bash command texts, so
# they may redirect or pipe) one after another for RUNS rounds and prints, for each, the
# median wall time and the largest peak memory of its runs: "NAME seconds peak-kB".
bench_alternate() {
  local names=() commands=() files=()
  while [[ $# -gt 0 ]]; do
    names+=("$1")
    commands+=("$2")
    files+=("$(mktemp)")
    shift 2
  done
  local round i
  for ((round = 0; round < RUNS; round++)); do
    for i in "${!names[@]}"; do
      bench_before_each
      /usr/bin/time -a -o "${files[$i]}" -f "%e %M" bash -c "${commands[$i]}" >/dev/null 2>&1 || true
    done
  done
  for i in "${!names[@]}"; do
    # time adds a line of its own before the figures when a command exits non-zero.
    grep -E '^[0-9.]+ [0-9]+$' "${files[$i]}" | sort -n | awk -v name="${names[$i]}" '
      { time[NR] = $1; if ($2 > peak) peak = $2 }
      END { printf "%s %s %d\n", name, time[int((NR + 1) / 2)], peak }'
    rm -f "${files[$i]}"
  done
}

# bench_table LABEL: reads the lines of bench_alternate and prints them with each one's ratio
# to the first (ours).
bench_table() {
  local lines=()
  mapfile -t lines
  bench_report "$1" "${lines[0]}" "${lines[@]:1}"
}
