# Sourced: the line lab, a slow line between network namespaces of the test
# run's own (the hosts here have no netem):
#   pc (10.78.1.2) -- 1500 -- router (10.78.1.1, 10.78.2.1)
#                                == line == host (10.78.2.2)
# The line is tests/linelab/LineWire.cpp between a TUN device of the router
# and one of the host; both have the profile's MTU, so the router answers a
# don't-fragment packet too big for the line with "fragmentation needed", as
# a real one does. "Down" is towards the pc. Neither end uses TCP
# timestamps, as the Windows of the time did not, and the host sends with
# Reno's congestion control, as the servers of the time did.
#
# The namespaces, links and lock have fixed names, machine-wide: a user
# holds line_lab_take_turn's lock while the lab is up (two checkouts take
# turns), brings it up with line_lab_up PROFILE (in this shell, not a
# subshell: the line runs in the background) and down with line_lab_down.
# A function that fails leaves why in line_lab_why.

line_lab_ns=(velo-lab-pc velo-lab-router velo-lab-host)
line_lab_pc=10.78.1.2
line_lab_host=10.78.2.2
line_lab_lock=/run/lock/velocine-line-lab.lock
line_lab_profiles=(modem dsl cable satellite)

# A profile's line: "DOWN_BITS UP_BITS ROUND_TRIP_MS MTU", by name.
line_lab_profile() {  # name
  case $1 in
    modem) echo "33600 33600 150 576" ;;          # V.34 dial-up
    dsl) echo "1536000 384000 40 1492" ;;         # ADSL over PPPoE
    cable) echo "5000000 768000 20 1500" ;;       # cable modem
    satellite) echo "1000000 256000 600 1500" ;;  # geostationary
    *) return 1 ;;
  esac
}

# Where the lab's programs are; the bench's optimised ones when it says so.
line_lab_bin=${line_lab_bin:-build/native}
line_lab_wire_pid=""
line_lab_why=""

# What runs the line and the echoes at a real-time priority, where the
# system allows it: they are then woken on time on a busy machine.
line_lab_on_time=()
chrt -f 20 true 2>/dev/null && line_lab_on_time=(chrt -f 20)

line_lab_take_turn() {
  exec 8>"$line_lab_lock" && flock 8
}

line_lab_down() {
  if [ -n "$line_lab_wire_pid" ]; then
    kill "$line_lab_wire_pid" 2>/dev/null
    wait "$line_lab_wire_pid" 2>/dev/null
    line_lab_wire_pid=""
  fi
  local ns
  for ns in "${line_lab_ns[@]}"; do ip netns del "$ns" 2>/dev/null; done
  return 0
}

# Sets a sysctl of a namespace, or fails saying which.
line_lab_sysctl() {  # namespace, name=value
  ip netns exec "$1" sysctl -qw "$2" >/dev/null ||
    { line_lab_why="cannot set $2 in $1"; return 1; }
}

# Waits (bounded) until the line has attached to both its ends.
line_lab_wait_for_line() {
  local tries
  for ((tries = 0; tries < 100; tries++)); do
    ip -n "${line_lab_ns[1]}" link show velo-lab-rt1 | grep -q LOWER_UP &&
      ip -n "${line_lab_ns[2]}" link show velo-lab-far0 | grep -q LOWER_UP &&
      return 0
    kill -0 "$line_lab_wire_pid" 2>/dev/null || break
    sleep 0.05
  done
  line_lab_why="the line did not attach to its ends"
  return 1
}

# Builds the lab with a profile's line.
line_lab_up() {  # profile[, loss percent]
  line_lab_down
  local line
  line=$(line_lab_profile "$1") ||
    { line_lab_why="no line lab profile '$1'"; return 1; }
  local down up trip mtu
  read -r down up trip mtu <<<"$line"
  local pc=${line_lab_ns[0]} router=${line_lab_ns[1]} host=${line_lab_ns[2]}
  local ns
  for ns in "${line_lab_ns[@]}"; do
    ip netns add "$ns" ||
      { line_lab_why="cannot make network namespaces"; return 1; }
    ip -n "$ns" link set lo up
    ip netns exec "$ns" sysctl -qw net.ipv6.conf.all.disable_ipv6=1 2>/dev/null
  done
  if ! { ip link add velo-lab-pc0 netns "$pc" type veth \
      peer name velo-lab-rt0 netns "$router" &&
    ip -n "$router" tuntap add dev velo-lab-rt1 mode tun &&
    ip -n "$host" tuntap add dev velo-lab-far0 mode tun &&
    ip -n "$router" link set velo-lab-rt1 mtu "$mtu" &&
    ip -n "$host" link set velo-lab-far0 mtu "$mtu" &&
    ip -n "$pc" addr add "$line_lab_pc"/24 dev velo-lab-pc0 &&
    ip -n "$router" addr add 10.78.1.1/24 dev velo-lab-rt0 &&
    ip -n "$router" addr add 10.78.2.1/24 dev velo-lab-rt1 &&
    ip -n "$host" addr add "$line_lab_host"/24 dev velo-lab-far0 &&
    ip -n "$pc" link set velo-lab-pc0 up &&
    ip -n "$router" link set velo-lab-rt0 up &&
    ip -n "$router" link set velo-lab-rt1 up &&
    ip -n "$host" link set velo-lab-far0 up &&
    ip -n "$pc" route add default via 10.78.1.1 &&
    ip -n "$host" route add default via 10.78.2.1 dev velo-lab-far0; }; then
    line_lab_why="cannot build the lab in the namespaces"
    line_lab_down
    return 1
  fi
  line_lab_sysctl "$router" net.ipv4.ip_forward=1 &&
    line_lab_sysctl "$pc" net.ipv4.tcp_timestamps=0 &&
    line_lab_sysctl "$host" net.ipv4.tcp_timestamps=0 &&
    line_lab_sysctl "$host" net.ipv4.tcp_congestion_control=reno ||
    { line_lab_down; return 1; }
  "${line_lab_on_time[@]}" "$line_lab_bin/line_wire" \
    "$router" velo-lab-rt1 "$host" velo-lab-far0 \
    "$down" "$up" "$trip" "$mtu" "${2:-0}" >/dev/null 8>&- &
  line_lab_wire_pid=$!
  line_lab_wait_for_line || { line_lab_down; return 1; }
}

# The router drops IP fragments from now on, as a line that keeps the
# don't-fragment flag drops a ping too big for it: Linux remembers the
# router's "too big" and fragments the pings Wine sends after it itself,
# which would otherwise come back as if they fitted.
line_lab_drop_fragments() {
  printf '%s\n' 'table ip velo_lab {' \
    ' chain fragments {' \
    '  type filter hook prerouting priority -450;' \
    '  ip frag-off & 0x3fff != 0 drop' \
    ' }' '}' | ip netns exec "${line_lab_ns[1]}" nft -f - ||
    { line_lab_why="cannot make the router drop fragments"; return 1; }
}

# Whether the pc's TCP offers window scaling, as a Windows whose window
# needs it does: on or off.
line_lab_window_scaling() {  # 1 or 0
  line_lab_sysctl "${line_lab_ns[0]}" net.ipv4.tcp_window_scaling="$1"
}

# Echoes of BYTES bytes of data from the pc to the host (line_echo): with
# "measure", the median round trip in milliseconds of COUNT of them, one
# after the other; with "count", how many of COUNT sent at once came back.
line_lab_echoes() {  # measure|count, count, bytes
  "${line_lab_on_time[@]}" ip netns exec "${line_lab_ns[2]}" \
    "$line_lab_bin/line_echo" serve 7 8>&- &
  local server=$!
  "${line_lab_on_time[@]}" ip netns exec "${line_lab_ns[0]}" \
    "$line_lab_bin/line_echo" "$1" "$line_lab_host" 7 "$2" "$3" 8>&-
  local status=$?
  kill "$server" 2>/dev/null; wait "$server" 2>/dev/null
  return $status
}

line_lab_round_trip() {  # count, bytes
  line_lab_echoes measure "$1" "$2"
}

# A bulk transfer from the host down to the pc, whose window is held to
# WINDOW bytes: the bytes per second that came after the warm-up.
line_lab_download() {  # window, seconds, warm-up seconds
  ip netns exec "${line_lab_ns[2]}" "$line_lab_bin/line_transfer" send \
    "$line_lab_pc" 5001 8>&- &
  local sender=$!
  ip netns exec "${line_lab_ns[0]}" "$line_lab_bin/line_transfer" receive \
    5001 "$1" "$2" "$3" 8>&-
  local status=$?
  wait "$sender" 2>/dev/null
  return $status
}
