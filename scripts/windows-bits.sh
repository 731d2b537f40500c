# Sourced by the scripts that build or run Windows programs: which width of
# Windows program this host runs under Wine, and where that build lives.
#
# A host whose kernel refuses 32-bit code cannot start 32-bit Wine at all,
# and a host that could may not have been able to install it; there every
# Windows program that must run is built a second time for 64-bit Windows (a
# "twin") and runs under 64-bit Wine. The shipped 32-bit files are built on
# every host. VELO_WINDOWS_BITS=32 or 64 chooses the way by hand; otherwise
# the host decides, once per run (the choice and its reason are exported to
# every script the run calls).
velo_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$velo_scripts/host-bits.sh"
# Where setup leaves apt's reason when 32-bit Wine could not be installed.
VELO_WINE32_REFUSED=$velo_scripts/../build/setup/wine32-refused
if [ -z "${VELO_WINDOWS_BITS:-}" ]; then
  if [ "$VELO_HOST_BITS" = 64 ]; then
    VELO_WINDOWS_BITS=64 VELO_WINDOWS_WHY="this host runs 64-bit code only"
  elif dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'ok installed'; then
    VELO_WINDOWS_BITS=32 VELO_WINDOWS_WHY=
  elif [ -s "$VELO_WINE32_REFUSED" ]; then
    VELO_WINDOWS_BITS=64
    VELO_WINDOWS_WHY="32-bit Wine could not be installed: $(head -n 1 "$VELO_WINE32_REFUSED")"
  else
    VELO_WINDOWS_BITS=64 VELO_WINDOWS_WHY="32-bit Wine is not installed"
  fi
fi
case $VELO_WINDOWS_BITS in
  32) VELO_WIN_DIR=build/win VELO_WINTEST_DIR=build/wintest ;;
  64) VELO_WIN_DIR=build/win64 VELO_WINTEST_DIR=build/wintest64 ;;
  *) echo "VELO_WINDOWS_BITS must be 32 or 64, not '$VELO_WINDOWS_BITS'" >&2
     exit 2 ;;
esac
: "${VELO_WINDOWS_WHY=chosen by VELO_WINDOWS_BITS}"
export VELO_WINDOWS_BITS VELO_WINDOWS_WHY VELO_WIN_DIR VELO_WINTEST_DIR

# The one line a run prints to say which way it goes, and why.
windows_bits_line() {
  if [ "$VELO_WINDOWS_BITS" = 32 ]; then
    echo "Windows programs: the 32-bit builds under 32-bit Wine ($VELO_WIN_DIR, $VELO_WINTEST_DIR)"
  else
    echo "Windows programs: the 64-bit twins under 64-bit Wine ($VELO_WIN_DIR, $VELO_WINTEST_DIR);" \
      "the shipped 32-bit files are built in build/win and checked without running" \
      "(${VELO_WINDOWS_WHY})"
  fi
}
