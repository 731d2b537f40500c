# Sourced: a path of network namespaces of the test run's own, on which a
# don't-fragment ping finds an MTU smaller than the program's own link:
#   program (198.18.1.2) -- 1500 -- router -- 1400 -- host (198.18.2.2)
# Its addresses are of the range kept for such test networks (198.18/15),
# none private: a private one would be taken for the user's own network.
# The router drops IP fragments, as a line that keeps the flag would drop
# the pings over its MTU: Linux remembers a "too big" answer and fragments
# later pings itself, which would otherwise come back as if they fitted.
velo_path_ns=(velo-mtu-pc velo-mtu-router velo-mtu-host)
velo_path_host=198.18.2.2
# The router's address on the program's own network.
velo_path_router=198.18.1.1
velo_path_mtu=1400

mtu_path_down() {
  local ns
  for ns in "${velo_path_ns[@]}"; do ip netns del "$ns" 2>/dev/null; done
  return 0
}

# Builds the path; on failure prints why and returns 1.
mtu_path_up() {
  mtu_path_down
  local pc=${velo_path_ns[0]} router=${velo_path_ns[1]} host=${velo_path_ns[2]}
  local ns
  for ns in "${velo_path_ns[@]}"; do
    ip netns add "$ns" || { echo "cannot make network namespaces"; return 1; }
    ip -n "$ns" link set lo up
  done
  ip link add velo-pc0 netns "$pc" type veth peer name velo-rt0 netns "$router" &&
  ip link add velo-rt1 netns "$router" mtu "$velo_path_mtu" type veth \
    peer name velo-host0 netns "$host" mtu "$velo_path_mtu" &&
  ip -n "$pc" addr add 198.18.1.2/24 dev velo-pc0 &&
  ip -n "$router" addr add "$velo_path_router"/24 dev velo-rt0 &&
  ip -n "$router" addr add 198.18.2.1/24 dev velo-rt1 &&
  ip -n "$host" addr add "$velo_path_host"/24 dev velo-host0 &&
  ip -n "$pc" link set velo-pc0 up &&
  ip -n "$router" link set velo-rt0 up &&
  ip -n "$router" link set velo-rt1 up &&
  ip -n "$host" link set velo-host0 up &&
  ip -n "$pc" route add default via "$velo_path_router" &&
  ip -n "$host" route add default via 198.18.2.1 &&
  ip netns exec "$router" sysctl -qw net.ipv4.ip_forward=1 &&
  ip netns exec "$router" sysctl -qw net.ipv4.ping_group_range="0 2147483647" &&
  ip netns exec "$pc" sysctl -qw net.ipv4.ping_group_range="0 2147483647" &&
  printf '%s\n' 'table ip velo_mtu {' \
    ' chain fragments {' \
    '  type filter hook prerouting priority -450;' \
    '  ip frag-off & 0x3fff != 0 drop' \
    ' }' \
    ' chain echoes {' \
    '  type filter hook forward priority 0;' \
    ' }' '}' | ip netns exec "$router" nft -f - ||
    { echo "cannot build the path in the namespaces"; mtu_path_down; return 1; }
}

# What the router does with the echo requests it forwards from now on: one
# nft rule (drops, refusals), or nothing to forward them all.
mtu_path_router() {  # [nft rule]
  ip netns exec "${velo_path_ns[1]}" nft flush chain ip velo_mtu echoes &&
  if [ -n "${1:-}" ]; then
    ip netns exec "${velo_path_ns[1]}" nft add rule ip velo_mtu echoes $1
  fi
}
