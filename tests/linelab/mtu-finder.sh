# Sourced after tests/linelab/line-lab.sh and scripts/wine-env.sh: Velocine's
# own MTU finder on the lab's line. Velocine.exe runs under Wine in the pc's
# namespace, and so must the prefix's wineserver and every process it
# starts: Wine sends the pings from one of them, so a server started outside
# the pc would send them from outside the lab. A user of the lab runs each
# profile's Wine commands through line_lab_wine, with no wineserver of the
# prefix running before, and ends them with line_lab_wine_down before the
# lab goes down.

# The connection type a user of each line chooses, as /set names it; a
# satellite modem hangs on the network card, as a LAN does.
line_lab_connection_name() {  # profile
  case $1 in modem) echo dialup ;; dsl) echo dsl ;; cable) echo cable ;; *) echo lan ;; esac
}

# A command in the pc's namespace; the lab's lock stays with this shell.
line_lab_wine() {  # command and its arguments
  ip netns exec "${line_lab_ns[0]}" "$@" 8>&-
}

line_lab_wine_down() {
  line_lab_wine wineserver -k 2>/dev/null
  line_lab_wine wineserver -w 2>/dev/null
  return 0
}

# Lets Wine's pings out of the pc (they are ping sockets, which the
# namespace must allow) and has the router drop fragments.
line_lab_finder_ready() {
  line_lab_sysctl "${line_lab_ns[0]}" net.ipv4.ping_group_range="0 2147483647" &&
    line_lab_drop_fragments
}

# Velocine.exe (PROGRAM) runs "/set TYPE /nomodem /findmtu HOST ARGUMENTS
# /overwrite" on the pc towards the lab's host. Sets line_lab_finder_code
# (its exit code), line_lab_finder_said (the last line of its log),
# line_lab_finder_seconds (the whole run, Wine's start included), and from
# the log line line_lab_finder_mtu, line_lab_finder_probes,
# line_lab_finder_ms (the pings' time) and line_lab_finder_trip (the round
# trip), each empty when the log does not give it.
line_lab_find_mtu() {  # program, connection type as /set names it, arguments
  local program=$1 type=$2; shift 2
  local log said start=$EPOCHREALTIME
  log=$(dirname "$program")/Velocine.log
  rm -f "$log"
  line_lab_wine wine "$program" /set "$type" /nomodem /findmtu "$line_lab_host" \
    "$@" /overwrite >/dev/null 2>&1
  line_lab_finder_code=$?
  line_lab_finder_seconds=$(awk -v a="$start" -v b="$EPOCHREALTIME" \
    'BEGIN { printf "%.1f", b - a }')
  said=$(tail -n 1 "$log" 2>/dev/null | tr -d '\r')
  line_lab_finder_said=$said
  line_lab_finder_mtu=$(sed -n 's/.* MTU \([0-9][0-9]*\) found towards .*/\1/p' <<<"$said")
  read -r line_lab_finder_probes line_lab_finder_ms <<<"$(sed -n \
    's/.* \([0-9][0-9]*\) probes, \([0-9][0-9]*\) ms.*/\1 \2/p' <<<"$said")"
  line_lab_finder_trip=$(sed -n 's/.*round trip \([0-9][0-9]*\) ms.*/\1/p' <<<"$said")
}

# Velocine.exe's "/reset" on the pc: its exit code.
line_lab_finder_reset() {  # program
  line_lab_wine wine "$1" /reset >/dev/null 2>&1
}

# The finder's figures, as the log gave them: "N probes, S s of pings".
line_lab_finder_cost() {
  awk -v p="$line_lab_finder_probes" -v m="$line_lab_finder_ms" \
    'BEGIN { printf "%d probes, %.1f s of pings", p, m / 1000 }'
}
