#!/usr/bin/env bash
# What the receive window does for a download, on each line of the line lab
# (tests/linelab/line-lab.sh): a bulk transfer from the host down to the pc
# with the pc's window held to each of the windows bench/LineWindows.cpp
# names (the Windows' own when none is set, the wizard's multiplier rule,
# the window that fills the line), each as a share of the data rate the line
# carries (its rate less 40 bytes of headers per packet). The pc offers
# window scaling only for a window beyond 65,535 bytes, as Windows does.
# Before the downloads the MTU finder runs on the line (Velocine's own
# "/set ... /findmtu ... /speed", under Wine, when LINE_BENCH_VELOCINE names
# the program), and the window that fills the line is the one for the
# round trip it measured.
# Prints figures; never fails on speed. Needs root (network namespaces).
# Usage: [LINE_BENCH_VELOCINE=Velocine.exe] bench/line-windows.sh
#        PROGRAMS_FOLDER [SECONDS]
# (each transfer measured for SECONDS, 8 unless told, after its warm-up;
# LINE_BENCH_PROFILES="dsl cable" takes only those lines)
set -uo pipefail
cd "$(dirname "$0")/.."
line_lab_bin=$1
seconds=${2:-8}
source tests/linelab/line-lab.sh
source tests/linelab/mtu-finder.sh

# The connection type of each line (line_lab_connection_name) as the
# wizard numbers it.
connection_type() {  # profile
  case $1 in modem) echo 0 ;; dsl) echo 1 ;; cable) echo 3 ;; *) echo 2 ;; esac
}

# The MTU finder's cost on the line, and the round trip it measures: the
# program itself (LINE_BENCH_VELOCINE, a Velocine.exe in the Wine prefix
# the environment names, as the version that prefix gives) runs
# "/set TYPE /findmtu HOST /speed KBITS" in the pc's namespace, so that
# its pings cross the line, then "/reset". Sets finder_trip to the round
# trip measured, empty when none was.
finder_trip=""
line_bench_finder() {  # profile, kbit/s
  finder_trip=""
  local program=${LINE_BENCH_VELOCINE:-}
  if [ -z "$program" ]; then
    echo "  the MTU finder: not measured (no Velocine.exe under Wine given)"
    return
  fi
  line_lab_finder_ready || {
    echo "  the MTU finder: not measured ($line_lab_why)"; return; }
  line_lab_find_mtu "$program" "$(line_lab_connection_name "$1")" /speed "$2"
  line_lab_finder_reset "$program" ||
    echo "  (its /reset did not end with exit 0)"
  line_lab_wine_down
  finder_trip=$line_lab_finder_trip
  if [ -z "$line_lab_finder_probes" ]; then
    echo "  the MTU finder: exit $line_lab_finder_code, no search in the log" \
      "(${line_lab_finder_said:-no log line})"
    return
  fi
  echo "  the MTU finder: $(line_lab_finder_cost) ($line_lab_finder_seconds s" \
    "with Wine's start), exit $line_lab_finder_code;" \
    "round trip ${finder_trip:-not measured} ms"
  echo "  its log: $(grep -o '\(No \)\{0,1\}MTU \([0-9]* \)\{0,1\}found.*' <<<"$line_lab_finder_said")"
}

summary=""
line_lab_take_turn
trap line_lab_down EXIT
for profile in ${LINE_BENCH_PROFILES:-${line_lab_profiles[@]}}; do
  read -r down up trip mtu <<<"$(line_lab_profile "$profile")"
  mss=$((mtu - 40))
  kbits=$(((down + 999) / 1000))
  # What the line carried goes to the tests' output, not to the figures.
  if ! line_lab_up "$profile" 2>/dev/null; then
    echo "  $profile: no line lab: $line_lab_why"
    continue
  fi
  carried=$((down / 8 * mss / mtu))
  echo "== $profile: $(awk -v d="$down" 'BEGIN { print d / 1000 }') kbit/s down," \
    "$trip ms round trip, MTU $mtu; the line carries $carried bytes/s of data;" \
    "a small echo's round trip $(line_lab_round_trip 5 32) ms"
  line_bench_finder "$profile" "$kbits"
  # The window that fills the line is the one for the round trip measured.
  measured=${finder_trip:-$trip}
  [ -n "$finder_trip" ] ||
    echo "  the line windows take the profile's round trip, none was measured"
  windows=$("$line_lab_bin/line_windows" "$(connection_type "$profile")" \
    "$kbits" "$measured" "$mss") || { echo "  no windows for $profile"; continue; }
  declare -A share=()
  row="| $profile |"
  while read -r window name; do
    if [ -z "${share[$window]:-}" ]; then
      line_lab_window_scaling $((window > 65535 ? 1 : 0))
      warmup=$((2 + 3 * trip / 1000))
      rate=$(line_lab_download "$window" $((warmup + seconds)) "$warmup" 2>/dev/null)
      share[$window]=$(awk -v r="$rate" -v c="$carried" \
        'BEGIN { if (r == "") print "failed"; else printf "%.0f%%", 100 * r / c }')
    fi
    printf '  %-22s %8d bytes  %s\n' "$name" "$window" "${share[$window]}"
    row+=" $window: ${share[$window]} |"
  done <<<"$windows"
  unset share
  summary+="$row"$'\n'
  line_lab_down
done
echo "== each window's share of the line's data rate"
echo "| line | 95/98/NT4 unset | 2000/XP unset | 98 multiplier | 98 line | XP multiplier | XP line |"
echo "|---|---|---|---|---|---|---|"
printf '%s' "$summary"
