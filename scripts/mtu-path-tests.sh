#!/usr/bin/env bash
# The MTU finder end to end, on a path of network namespaces that this run
# builds and removes (scripts/mtu-path.sh): the wizard's button, then
# "/set dsl /findmtu" towards the DNS server, each must find the path's MTU
# and leave it in the registry; then the same where the router loses
# probes, falls silent or refuses partway, and towards a DNS server on the
# program's own network, where the type's MTU is written (exit 12). Each
# /set is followed by a /reset that must put the keys back exactly. Wine runs inside the program's namespace in
# a prefix of its own, so that every process of its wineserver, the one that
# sends the pings among them, is on that side of the path. Without
# namespaces (no root), both reports say why instead.
set -uo pipefail
cd "$(dirname "$0")/.."
results=$1
source scripts/reports.sh
source scripts/mtu-path.sh
button_report=$results/wine-mtu-path.xml
set_report=$results/wine-mtu-path-set.xml
interface='HKLM\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters\Interfaces\{7E57C0DE-0000-4D70-9000-0000000A7400}'
tcpip='HKLM\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters'

# The keys /set writes and /reset puts back, as they are now.
tuned_keys() {
  wine reg query "$interface" 2>/dev/null | tr -d '\r'
  wine reg query "$tcpip" 2>/dev/null | tr -d '\r'
}

# One "/set dsl /findmtu" with the router doing `rule` and the DNS server
# `server`, then "/reset", which must leave the keys as they were.
set_run() {  # case, router rule, DNS server, exit code, MTU, log words
  local name=$1 rule=$2 server=$3 want_code=$4 want_mtu=$5 want_said=$6
  mtu_path_router "$rule"
  wine reg add "$tcpip" /v NameServer /t REG_SZ /d "$server" /f >/dev/null 2>&1
  local before; before=$(tuned_keys)
  rm -f "$VELO_WIN_DIR/Velocine.log"
  local start=$SECONDS
  wine "$VELO_WIN_DIR/Velocine.exe" /set dsl /findmtu /overwrite
  local code=$? took=$((SECONDS - start))
  local line; line=$(tail -n 1 "$VELO_WIN_DIR/Velocine.log" 2>/dev/null | tr -d '\r')
  local mtu; mtu=$(wine reg query "$interface" /v MTU 2>/dev/null | tr -d '\r' |
                   awk '$1 == "MTU" {print $3}')
  wine "$VELO_WIN_DIR/Velocine.exe" /reset
  local reset=$?
  local after; after=$(tuned_keys)
  mtu_path_router ""
  echo "[ path     ] $name: took $took s, exit $code: $line"
  local wrong=""
  [ "$code" -eq "$want_code" ] || wrong+="exit code $code. "
  [[ "$line" == *"$want_said"* ]] || wrong+="the log says '$line'. "
  [ "$((mtu))" -eq "$want_mtu" ] 2>/dev/null ||
    wrong+="the interface's MTU is '$mtu'. "
  [ "$reset" -eq 0 ] || wrong+="/reset exit code $reset. "
  [ "$before" = "$after" ] ||
    wrong+="/reset left the keys otherwise: $(diff <(echo "$before") <(echo "$after") | tr '\n' ' '). "
  report_case MtuPath "$name" "$wrong"
}

inside() {  # the part that runs in the program's namespace
  export VELO_WINEPREFIX=$PWD/build/wineprefix-mtupath
  source scripts/wine-env.sh
  wine_prefix_ready
  wine_set_version default
  export VELO_MTU_PATH_HOST=$velo_path_host VELO_MTU_PATH_MTU=$velo_path_mtu
  wine explorer /desktop=VelocinePath,1024x768 \
    "$VELO_WINTEST_DIR/wine_tests.exe" \
    --gtest_output="xml:$(windows_path "$button_report")" --gtest_brief=1 \
    --gtest_filter='MtuPath.*'
  local status=$?
  wineserver -k 2>/dev/null; wineserver -w
  require_report "$button_report" "MTU path (wizard)" "ended without a report" ||
    status=1

  # The command line, towards the DNS server the registry names, on a
  # Windows it tunes (XP) and an interface it writes the MTU into, which
  # keeps its address on the program's own network as Windows does.
  wine_set_version winxp
  wine reg add "$interface" /v MTU /t REG_DWORD /d 1500 /f >/dev/null 2>&1
  wine reg add "$interface" /v IPAddress /t REG_MULTI_SZ /d 198.18.1.2 /f >/dev/null 2>&1
  wine reg add "$interface" /v SubnetMask /t REG_MULTI_SZ /d 255.255.255.0 /f >/dev/null 2>&1
  local host=$velo_path_host mtu=$velo_path_mtu
  set_run "/set dsl /findmtu finds $mtu towards the DNS server and writes it" \
    "" "$host" 0 "$mtu" "MTU $mtu found towards $host in "
  set_run "a router that drops 2 of every 5 echo requests: the exact MTU" \
    "icmp type echo-request numgen inc mod 5 < 2 drop" "$host" 0 "$mtu" \
    "MTU $mtu found towards $host in "
  set_run "a router that goes silent after a few probes: the type's MTU, exit 12" \
    "icmp type echo-request quota over 3000 bytes drop" "$host" 12 1492 \
    "No MTU found towards $host (it stopped answering: no answer; "
  set_run "a router that says 'host unreachable' after a few probes: exit 12" \
    "icmp type echo-request quota over 3000 bytes reject with icmp type host-unreachable" \
    "$host" 12 1492 "No MTU found towards $host (it stopped answering: unreachable; "
  set_run "the DNS server on the program's own network is not measured" \
    "" "$velo_path_router" 12 1492 \
    "No MTU found: the DNS server $velo_path_router is on this computer's own network"
  wineserver -k 2>/dev/null; wineserver -w
  report_write "$set_report" "MTU path (/set)" || status=1
  return $status
}

if [ "${2:-}" = inside ]; then inside; exit; fi

rm -f "$button_report" "$set_report"
# The namespaces and their links have fixed names, machine-wide: two
# checkouts testing at once take turns.
exec 9>/run/lock/velocine-mtu-path.lock
flock 9
if ! why=$(mtu_path_up 2>&1); then
  require_report "$button_report" "MTU path (wizard)" "${why:-no path}"
  require_report "$set_report" "MTU path (/set)" "${why:-no path}"
  exit 1
fi
trap mtu_path_down EXIT
ip netns exec "${velo_path_ns[0]}" "$0" "$results" inside
status=$?
require_report "$button_report" "MTU path (wizard)" "ended without a report"
require_report "$set_report" "MTU path (/set)" "ended without a report"
exit $status
