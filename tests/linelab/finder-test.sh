#!/usr/bin/env bash
# Velocine's MTU finder on each line of the line lab (tests/linelab/
# line-lab.sh): Velocine.exe, under Wine in the pc's namespace, runs
# "/set TYPE /nomodem /findmtu HOST /overwrite" with the connection type of
# the line; it must end with exit 0, log the line's MTU exactly with the
# round trip it measured, and write that MTU where the type's Windows (XP)
# reads it. The "/reset" after it must put the tuned keys back exactly.
# Wine runs in a prefix of its own. Writes its own report, one test per
# profile; without Wine or without namespaces (no root), each says why.
# Usage: tests/linelab/finder-test.sh REPORT.xml
set -uo pipefail
cd "$(dirname "$0")/../.."
report=$1
export VELO_WINEPREFIX=$PWD/build/wineprefix-linelab
source scripts/reports.sh
source scripts/wine-env.sh
source tests/linelab/line-lab.sh
source tests/linelab/mtu-finder.sh
rm -f "$report"
program=$PWD/$VELO_WIN_DIR/Velocine.exe
tcpip='HKLM\SYSTEM\CurrentControlSet\Services\Tcpip\Parameters'
card='{7E57C0DE-0000-4D70-9000-0000000A7400}'
interface="$tcpip\\Interfaces\\$card"
ppp='HKLM\SYSTEM\CurrentControlSet\Services\NdisWan\Parameters\Protocols\0'
browser='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
# The interface's MTU before each run: none of the lines', so that a run
# that writes nothing shows.
mtu_before=1280

# The keys /set writes and /reset puts back, as they are now.
tuned_keys() {
  local key
  for key in "$tcpip" "$ppp"; do
    line_lab_wine wine reg query "$key" /s 2>/dev/null | tr -d '\r'
  done
  line_lab_wine wine reg query "$browser" 2>/dev/null | tr -d '\r'
}

# A DWORD value as a number; empty when it is not there.
dword() {  # key, value
  local value
  value=$(line_lab_wine wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '$1 == name && $2 == "REG_DWORD" { print $3 }')
  [ -n "$value" ] && echo $((value))
}

# Where XP reads the MTU of a connection type: PPP's for dial-up and DSL
# (PPPoE), the interface's for every type that goes out of the network card.
mtu_places() {  # connection type as /set names it
  case $1 in
    dialup) echo ppp ;;
    dsl) echo ppp interface ;;
    *) echo interface ;;
  esac
}

# The MTU in a place, as a number; empty when it is not there.
mtu_in() {  # ppp|interface
  case $1 in
    ppp) dword "$ppp" ProtocolMTU ;;
    interface) dword "$interface" MTU ;;
  esac
}

# XP, with a network card whose MTU is mtu_before and no PPP entry yet.
prefix_ready() {
  wine_prefix_ready
  wine_starts || return 1
  wine_set_version winxp
  wine reg add "$interface" /v MTU /t REG_DWORD /d "$mtu_before" /f >/dev/null 2>&1 &&
    wine reg add "$interface" /v IPAddress /t REG_MULTI_SZ /d "$line_lab_pc" /f >/dev/null 2>&1 &&
    wine reg add "$interface" /v SubnetMask /t REG_MULTI_SZ /d 255.255.255.0 /f >/dev/null 2>&1 ||
    return 1
  wine reg delete "$ppp" /f >/dev/null 2>&1
  wineserver -k 2>/dev/null
  wineserver -w
}

# The finder on one profile's line, as one test.
finder_test() {  # profile, its MTU, its round trip in ms
  local name="$1: the finder finds the line's MTU, $2"
  local type; type=$(line_lab_connection_name "$1")
  line_lab_finder_ready || { report_case LineLabFinder "$name" "$line_lab_why"; return; }
  local before; before=$(tuned_keys)
  line_lab_find_mtu "$program" "$type"
  local place written=() wrong=""
  for place in $(mtu_places "$type"); do
    written+=("$place:$(mtu_in "$place")")
  done
  line_lab_finder_reset "$program"
  local reset=$?
  local after; after=$(tuned_keys)
  line_lab_wine_down
  echo "[ line lab ] $1: /set $type /findmtu: MTU ${line_lab_finder_mtu:-none}," \
    "$(line_lab_finder_cost), $line_lab_finder_seconds s with Wine's start;" \
    "exit $line_lab_finder_code; written ${written[*]}"
  echo "[ line lab ] $1: its log: $line_lab_finder_said"
  [ "$line_lab_finder_code" -eq 0 ] || wrong+="exit code $line_lab_finder_code. "
  [[ "$line_lab_finder_said" == *" MTU $2 found towards $line_lab_host in "* ]] ||
    wrong+="the log says '$line_lab_finder_said'. "
  # No echo comes back sooner than the line's own delay.
  [[ "$line_lab_finder_said" == *"; round trip "*" ms towards $line_lab_host."* ]] &&
    [ "${line_lab_finder_trip:-0}" -ge "$3" ] ||
    wrong+="round trip '$line_lab_finder_trip' ms, where the line's delay is $3 ms. "
  for place in "${written[@]}"; do
    [ "${place#*:}" = "$2" ] || wrong+="the MTU written to $place. "
  done
  [ "$reset" -eq 0 ] || wrong+="/reset exit code $reset. "
  [[ "$before" == *"$card"* ]] ||
    wrong+="the tuned keys could not be read before /set: '$before'. "
  [ "$before" = "$after" ] ||
    wrong+="/reset left the keys otherwise: $(diff <(echo "$before") <(echo "$after") | tr '\n' ' '). "
  report_case LineLabFinder "$name" "$wrong"
}

why=""
if prefix_ready; then
  line_lab_take_turn
  trap 'line_lab_wine_down; line_lab_down' EXIT
else
  why="Wine did not start"
fi
for profile in "${line_lab_profiles[@]}"; do
  read -r down up trip mtu <<<"$(line_lab_profile "$profile")"
  if [ -n "$why" ] || ! line_lab_up "$profile"; then
    report_case LineLabFinder "$profile: the finder finds the line's MTU, $mtu" \
      "${why:-$line_lab_why}"
    continue
  fi
  finder_test "$profile" "$mtu" "$trip"
  line_lab_down
done
report_write "$report" "Line lab (MTU finder)"
status=$?
require_report "$report" "Line lab (MTU finder)" "ended without a report" || status=1
exit $status
