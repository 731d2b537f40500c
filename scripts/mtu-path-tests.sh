#!/usr/bin/env bash
# The MTU finder end to end, on a path of network namespaces that this run
# builds and removes (scripts/mtu-path.sh): the wizard's button, then
# "/set dsl /findmtu" towards the DNS server, each must find the path's MTU
# and leave it in the registry. Wine runs inside the program's namespace in
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

inside() {  # the part that runs in the program's namespace
  export VELO_WINEPREFIX=$PWD/build/wineprefix-mtupath
  source scripts/wine-env.sh
  wine_prefix_ready
  wine_set_version default
  export VELO_MTU_PATH_HOST=$velo_path_host VELO_MTU_PATH_MTU=$velo_path_mtu
  wine explorer /desktop=VelocinePath,1024x768 \
    "$VELO_WINTEST_DIR/wine_tests.exe" \
    --gtest_output="xml:$(winepath -w "$button_report")" --gtest_brief=1 \
    --gtest_filter='MtuPath.*'
  local status=$?
  wineserver -k 2>/dev/null; wineserver -w
  require_report "$button_report" "MTU path (wizard)" "ended without a report" ||
    status=1

  # The command line, towards the DNS server the registry names, on a
  # Windows it tunes (XP) and an interface it writes the MTU into.
  wine_set_version winxp
  wine reg add "$tcpip" /v NameServer /t REG_SZ /d "$velo_path_host" /f >/dev/null 2>&1
  wine reg add "$interface" /v MTU /t REG_DWORD /d 1500 /f >/dev/null 2>&1
  rm -f "$VELO_WIN_DIR/Velocine.log"
  local start=$SECONDS
  wine "$VELO_WIN_DIR/Velocine.exe" /set dsl /findmtu /overwrite
  local code=$? took=$((SECONDS - start))
  local line; line=$(tail -n 1 "$VELO_WIN_DIR/Velocine.log" 2>/dev/null | tr -d '\r')
  local mtu; mtu=$(wine reg query "$interface" /v MTU 2>/dev/null | tr -d '\r' |
                   awk '$1 == "MTU" {print $3}')
  wineserver -k 2>/dev/null; wineserver -w
  echo "[ path     ] /set dsl /findmtu took $took s: $line"
  local wrong=""
  [ "$code" -eq 0 ] || wrong+="exit code $code. "
  [[ "$line" == *"MTU $velo_path_mtu found towards $velo_path_host in "* ]] ||
    wrong+="the log says '$line'. "
  [ "$((mtu))" -eq "$velo_path_mtu" ] 2>/dev/null ||
    wrong+="the interface's MTU is '$mtu'. "
  report_case MtuPath "/set dsl /findmtu finds $velo_path_mtu towards the DNS server and writes it" "$wrong"
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
