#!/usr/bin/env bash
# Tests of the line lab (tests/linelab/line-lab.sh): each profile's line
# measures what it claims, a round trip and a rate each within 10%, and
# carries packets of its MTU while its router answers a larger one with
# "too big"; a line told to lose packets loses that share. Writes its own report; without namespaces (no root) the report
# says why instead.
# Usage: tests/linelab/profiles-test.sh REPORT.xml
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/reports.sh
source tests/linelab/line-lab.sh
report=$1
rm -f "$report"

# The failure of a figure more than 10% away from what it should be, or
# nothing.
within_tenth() {  # what, measured, wanted, unit
  awk -v what="$1" -v got="$2" -v want="$3" -v unit="$4" 'BEGIN {
    if (got == "" || got + 0 < want * 0.9 || got + 0 > want * 1.1)
      printf "%s: %s %s, not within 10%% of %.1f %s.",
        what, got, unit, want, unit
  }'
}

# The round trip of a small echo: the profile's, and the time the line
# takes to send the echo's 60 bytes (IP and UDP headers and 32 bytes of
# data) each way.
check_round_trip() {  # profile, down, up, round trip
  local measured wanted
  measured=$(line_lab_round_trip 11 32)
  wanted=$(awk -v d="$2" -v u="$3" -v t="$4" \
    'BEGIN { print t + 480000 / d + 480000 / u }')
  echo "[ line lab ] $1: round trip $measured ms (profile $4 ms; with the" \
    "echo's time on the line $wanted ms)"
  report_case LineLab "$1: the round trip is the profile's" \
    "$(within_tenth "round trip" "$measured" "$wanted" ms)"
}

# A download with a window well above the line's bandwidth-delay product
# (and within the line's queue) fills the line: its data rate is the line's
# rate less the 40 bytes of TCP and IP headers in each packet.
check_rate() {  # profile, down, round trip, mtu
  local window=$(($2 / 8 * $3 / 1000 + 16 * ($4 - 40)))
  local warmup=$((2 + 3 * $3 / 1000))
  local measured wanted
  line_lab_window_scaling 1
  measured=$(line_lab_download "$window" $((warmup + 4)) "$warmup")
  wanted=$(($2 / 8 * ($4 - 40) / $4))
  echo "[ line lab ] $1: download $measured bytes/s (the line carries" \
    "$wanted bytes/s of data)"
  report_case LineLab "$1: a download fills the profile's rate" \
    "$(within_tenth "data rate" "$measured" "$wanted" bytes/s)"
}

# The line carries an echo as large as its MTU; a larger don't-fragment
# datagram from the pc gets the router's "too big", which the pc's route to
# the host then shows as the line's MTU. A line as wide as the pc's own link
# has nothing larger to refuse.
check_mtu() {  # profile, mtu
  local wrong=""
  line_lab_round_trip 1 $(($2 - 28)) >/dev/null ||
    wrong+="an echo of $2 bytes did not cross. "
  if [ "$2" -lt 1500 ]; then
    ip netns exec "${line_lab_ns[0]}" bash -c \
      "head -c $(($2 - 27)) /dev/zero >/dev/udp/$line_lab_host/9" 2>/dev/null
    local tries route=""
    for ((tries = 0; tries < 100; tries++)); do
      route=$(ip -n "${line_lab_ns[0]}" route get "$line_lab_host")
      [[ "$route" == *" mtu $2"* ]] && break
      sleep 0.05
    done
    [[ "$route" == *" mtu $2"* ]] ||
      wrong+="after $(($2 + 1)) bytes the pc's route is '$route'. "
  fi
  report_case LineLab \
    "$1: the line carries its MTU and the router refuses more" "$wrong"
}

# A line that loses a share of its packets loses that share of each way of
# an echo: of 200 echoes, about 81% come back over a line that loses 10%.
check_loss() {
  local answered wrong=""
  if line_lab_up cable 10; then
    answered=$(line_lab_echoes count 200 32)
    echo "[ line lab ] cable losing 10%: $answered of 200 echoes came back"
    wrong=$(within_tenth "echoes back" "$answered" 162 "of 200")
  else
    wrong=$line_lab_why
  fi
  report_case LineLab "a line that loses 10% loses 10% each way" "$wrong"
  line_lab_down
}

line_lab_take_turn
trap line_lab_down EXIT
check_loss
for profile in "${line_lab_profiles[@]}"; do
  read -r down up trip mtu <<<"$(line_lab_profile "$profile")"
  if ! line_lab_up "$profile"; then
    report_case LineLab "$profile: the lab comes up" "$line_lab_why"
    continue
  fi
  check_round_trip "$profile" "$down" "$up" "$trip"
  check_rate "$profile" "$down" "$trip" "$mtu"
  check_mtu "$profile" "$mtu"
  line_lab_down
done
report_write "$report" "Line lab"
status=$?
require_report "$report" "Line lab" "ended without a report" || status=1
exit $status
